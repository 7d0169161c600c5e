// The dialog base: anchoring, minimum size, gripper, context help and its popup,
// fonts and colours, and the application's dialog flags.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "WindowTestSupport.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/KCDialogEx.h"
#include "dialogs/KCWinAppEx.h"
#include "fixtures/TestDialogs.h"
#include "resources/resource.h"

namespace {

RECT ClientRectOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class TableDialog : public KCDialogEx {
public:
    explicit TableDialog(UINT id = IDD_TEST_RESIZABLE) : KCDialogEx(id) {}
    int boldFont = -1;

    BOOL OnInitDialog() override
    {
        static const ControlTableEntry table[] = {
            {IDC_TEST_WIDE_EDIT, ANCHOR_LEFT | ANCHOR_RIGHT, 0},
            {IDC_TEST_RIGHT_BUTTON, ANCHOR_RIGHT, 0},
            {IDC_TEST_CHECKLIST, ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_TOP | ANCHOR_BOTTOM, 0},
            {IDOK, ANCHOR_RIGHT | ANCHOR_BOTTOM, 0},
            {IDC_TEST_LABELLED_EDIT, ENTRY_HELP, IDS_HELP_MARGIN},
            {IDC_TEST_CHECK, ENTRY_HELP, IDS_HELP_BORDER},
            {IDC_TEST_CHECK, ENTRY_TOOLTIP, IDS_HELP_NOTES_BUTTON},
            {IDC_TEST_CHECK, ENTRY_TEXT_COLOR, SYSTEM_COLOR | COLOR_HIGHLIGHT},
            {IDC_TEST_RIGHT_BUTTON, ENTRY_BACK_COLOR, 0x00123456},
            {0, ENTRY_HELP, IDS_HELP_FONT},  // no control: not a topic
        };
        if (Handle() && GetDlgItem(Handle(), IDC_TEST_CHECKLIST)) AddControlTable(table);
        boldFont = CreateFontVariant(nullptr, 0, 0x1);
        if (boldFont >= 0) AddControlEntry(IDC_TEST_RIGHT_BUTTON, ENTRY_FONT, static_cast<uint32_t>(boldFont));
        return KCDialogEx::OnInitDialog();
    }
};

class DialogBase : public ::testing::Test {
protected:
    DialogBase()
    {
        dialog.Create(nullptr);
        ShowWindow(dialog.Handle(), SW_SHOWNORMAL);
        GetWindowRect(dialog.Handle(), &initial);
    }
    void Resize(int width, int height)
    {
        SetWindowPos(dialog.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    TableDialog dialog;
    RECT initial = {};
};

}  // namespace

TEST_F(DialogBase, AnchoredControlsFollowTheEdges)
{
    const RECT wide = ClientRectOf(dialog.Item(IDC_TEST_WIDE_EDIT));
    const RECT right = ClientRectOf(dialog.Item(IDC_TEST_RIGHT_BUTTON));
    const RECT list = ClientRectOf(dialog.Item(IDC_TEST_CHECKLIST));
    const RECT label = ClientRectOf(dialog.Item(IDC_TEST_LABELLED_EDIT));
    Resize(initial.right - initial.left + 60, initial.bottom - initial.top + 40);

    const RECT wideAfter = ClientRectOf(dialog.Item(IDC_TEST_WIDE_EDIT));
    EXPECT_EQ(wideAfter.left, wide.left);
    EXPECT_EQ(wideAfter.right, wide.right + 60);
    EXPECT_EQ(wideAfter.top, wide.top);
    const RECT rightAfter = ClientRectOf(dialog.Item(IDC_TEST_RIGHT_BUTTON));
    EXPECT_EQ(rightAfter.left, right.left + 60);
    EXPECT_EQ(rightAfter.right - rightAfter.left, right.right - right.left);
    const RECT listAfter = ClientRectOf(dialog.Item(IDC_TEST_CHECKLIST));
    EXPECT_EQ(listAfter.bottom, list.bottom + 40);
    EXPECT_EQ(listAfter.right, list.right + 60);
    const RECT labelAfter = ClientRectOf(dialog.Item(IDC_TEST_LABELLED_EDIT));
    EXPECT_EQ(labelAfter.left, label.left);  // not anchored: stays
    EXPECT_EQ(labelAfter.right, label.right);

    // Minimising moves nothing.
    ShowWindow(dialog.Handle(), SW_MINIMIZE);
    const RECT minimised = ClientRectOf(dialog.Item(IDC_TEST_WIDE_EDIT));
    ShowWindow(dialog.Handle(), SW_RESTORE);
    EXPECT_EQ(minimised.right - minimised.left, wideAfter.right - wideAfter.left);
}

TEST_F(DialogBase, MinimumTrackingSizeIsTheInitialSize)
{
    EXPECT_EQ(dialog.GetMinTrackWidth(), initial.right - initial.left);
    EXPECT_EQ(dialog.GetMinTrackHeight(), initial.bottom - initial.top);
    MINMAXINFO info = {};
    SendMessageA(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, initial.right - initial.left);
    dialog.SetMinTrackHeight(77);
    SendMessageA(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.y, 77);
}

TEST_F(DialogBase, GripperOnResizableDialogsHiddenWhileMaximised)
{
    HWND highlight = dialog.GripperHighlight();
    ASSERT_NE(highlight, nullptr);
    ASSERT_NE(dialog.GripperShadow(), nullptr);
    EXPECT_EQ(WindowText(highlight), "o");
    EXPECT_EQ(WindowText(dialog.GripperShadow()), "p");
    EXPECT_TRUE(IsWindowVisible(highlight));
    RECT client, gripper;
    GetClientRect(dialog.Handle(), &client);
    gripper = ClientRectOf(highlight);
    EXPECT_EQ(gripper.right, client.right);
    EXPECT_EQ(gripper.bottom, client.bottom);

    RECT screen;
    GetWindowRect(highlight, &screen);
    const LPARAM centre = MAKELPARAM((screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2);
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_NCHITTEST, 0, centre), HTBOTTOMRIGHT);

    ShowWindow(dialog.Handle(), SW_MAXIMIZE);
    EXPECT_FALSE(IsWindowVisible(highlight));
    ShowWindow(dialog.Handle(), SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(highlight));
    // The gripper stays in the corner as the dialog grows.
    Resize(initial.right - initial.left + 30, initial.bottom - initial.top + 30);
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(ClientRectOf(highlight).right, client.right);
    EXPECT_EQ(ClientRectOf(highlight).bottom, client.bottom);

    TableDialog fixed(IDD_TEST_FIXED);
    ASSERT_TRUE(fixed.Create(nullptr));
    EXPECT_EQ(fixed.GripperHighlight(), nullptr);
}

TEST_F(DialogBase, FontsColoursAndTooltips)
{
    ASSERT_GE(dialog.boldFont, 0);
    LOGFONTA bold = {};
    GetObjectA(dialog.Font(dialog.boldFont), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(dialog.Item(IDC_TEST_RIGHT_BUTTON), WM_GETFONT, 0, 0)),
              dialog.Font(dialog.boldFont));

    HDC dc = GetDC(dialog.Handle());
    SendMessageA(dialog.Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_CHECK)));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_HIGHLIGHT));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog.Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_RIGHT_BUTTON))));
    EXPECT_EQ(GetBkColor(dc), 0x00123456u);
    LOGBRUSH description = {};
    ASSERT_TRUE(GetObjectA(brush, sizeof description, &description));
    EXPECT_EQ(description.lbColor, 0x00123456u);
    SendMessageA(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(dialog.GripperShadow()));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(dialog.Handle(), dc);

    ASSERT_NE(dialog.ToolTip(), nullptr);
    EXPECT_EQ(SendMessageA(dialog.ToolTip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    // Help pairs in registration order, the entry without a control left out.
    EXPECT_EQ(dialog.TopicPairs(), (std::vector<uint32_t>{IDC_TEST_LABELLED_EDIT, IDS_HELP_MARGIN, IDC_TEST_CHECK,
                                                         IDS_HELP_BORDER}));
}

TEST_F(DialogBase, UnnamedLabelsStandForTheControlAfterThem)
{
    HWND label = nullptr;
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowText(child) == "&Label:") label = child;
    ASSERT_NE(label, nullptr);
    const std::string margin = "Select the amount of space between the text and other items in the wallpaper and the edges.";
    EXPECT_EQ(HelpTopicText(label, dialog.TopicPairs()), margin);
    EXPECT_EQ(HelpTopicText(dialog.Item(IDC_TEST_LABELLED_EDIT), dialog.TopicPairs()), margin);
    EXPECT_EQ(HelpTopicText(dialog.Item(IDC_TEST_WIDE_EDIT), dialog.TopicPairs()), "");
    // A label that is no child window stands for nothing.
    HWND loose = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(0)), nullptr, nullptr);
    SetWindowLongPtrA(loose, GWLP_ID, 0xFFFF);
    EXPECT_EQ(HelpTopicText(loose, dialog.TopicPairs()), "");
    DestroyWindow(loose);
    EXPECT_EQ(HelpTopicText(dialog.Item(IDC_TEST_CHECK), {static_cast<uint32_t>(IDC_TEST_CHECK)}), "");  // half a pair
}

TEST(HelpPopupPlacement, KeptInsideTheWorkArea)
{
    const RECT work = {0, 0, 1000, 700};
    auto at = [&](int x, int y, int w, int h) {
        const POINT p = PlaceHelpPopup(x, y, w, h, work);
        return std::to_string(p.x) + "," + std::to_string(p.y);
    };
    EXPECT_EQ(at(500, 300, 200, 50), "400,300");   // centred on x, below y
    EXPECT_EQ(at(50, 300, 200, 50), "0,300");      // left edge
    EXPECT_EQ(at(950, 300, 200, 50), "800,300");   // right edge: centre at right - half
    EXPECT_EQ(at(500, 680, 200, 50), "400,630");   // bottom: above the point
    EXPECT_EQ(at(500, 700, 200, 50), "400,650");   // at the bottom itself: on the bottom edge
    EXPECT_EQ(at(500, 10, 200, 800), "400,-100");  // taller than the work area: bottom edge wins
    EXPECT_EQ(at(500, 300, 1400, 50), "0,300");    // wider than the work area: left edge wins
    EXPECT_EQ(at(990, 300, 1400, 50), "0,300");
    EXPECT_EQ(at(500, 300, 201, 50), "400,300");   // odd width: half rounds down
}

TEST_F(DialogBase, PopupShowsTheTopicNearThePointUntilAKey)
{
    std::string text;
    RECT shown = {};
    WindowWatcher watcher([] { return FindProcessWindow("MurvexHelpPopup", nullptr); },
                          [&](HWND popup) {
                              text = WindowText(popup);
                              GetWindowRect(popup, &shown);
                              PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                          });
    HELPINFO f1 = {sizeof f1, HELPINFO_WINDOW, IDC_TEST_CHECK, dialog.Item(IDC_TEST_CHECK), 0, {300, 200}};
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&f1)), TRUE);
    watcher.Join();
    EXPECT_EQ(text, "Include a border around the edges of the wallpaper. Recommended for small wallpapers with the "
                    "default background color.");
    EXPECT_EQ(shown.top, 200 + GetSystemMetrics(SM_CYCURSOR) / 2);
    EXPECT_NEAR((shown.left + shown.right) / 2, 300, 1);
    EXPECT_EQ(FindProcessWindow("MurvexHelpPopup", nullptr), nullptr);  // gone after the key

    // A mouse button dismisses it too.
    WindowWatcher clicked([] { return FindProcessWindow("MurvexHelpPopup", nullptr); },
                          [](HWND popup) { PostMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, 0); });
    HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_TEST_LABELLED_EDIT, dialog.Item(IDC_TEST_LABELLED_EDIT), 0,
                     {100, 100}};
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), TRUE);
    clicked.Join();
    EXPECT_TRUE(clicked.Found());
}

TEST_F(DialogBase, RightClickNeedsTheFlagAndAControl)
{
    // Without the application's flag 0x1 a right-click shows nothing: no popup, no wait.
    EXPECT_EQ(dialog.DialogFlags(), 0u);
    RECT box;
    GetWindowRect(dialog.Item(IDC_TEST_CHECK), &box);
    SendMessageA(dialog.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog.Item(IDC_TEST_CHECK)),
                 MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));

    KCWinAppEx app;
    app.SetDialogFlags(DIALOG_HELP_ON_RIGHT_CLICK);
    TableDialog flagged;
    EXPECT_EQ(flagged.DialogFlags(), static_cast<uint32_t>(DIALOG_HELP_ON_RIGHT_CLICK));
    ASSERT_TRUE(flagged.Create(nullptr));
    ShowWindow(flagged.Handle(), SW_SHOW);
    // The dialog's bare background has no help.
    RECT client;
    GetClientRect(flagged.Handle(), &client);
    POINT empty = {client.right - 60, 5};
    ClientToScreen(flagged.Handle(), &empty);
    SendMessageA(flagged.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(flagged.Handle()),
                 MAKELPARAM(empty.x, empty.y));
    // The context-menu key: below the control, centred.
    RECT check;
    GetWindowRect(flagged.Item(IDC_TEST_CHECK), &check);
    RECT shown = {};
    WindowWatcher watcher([] { return FindProcessWindow("MurvexHelpPopup", nullptr); },
                          [&](HWND popup) {
                              GetWindowRect(popup, &shown);
                              PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                          });
    SendMessageA(flagged.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(flagged.Item(IDC_TEST_CHECK)),
                 MAKELPARAM(-1, -1));
    watcher.Join();
    EXPECT_EQ(shown.top, check.bottom);

    app.SetDialogFlags(DIALOG_NO_GRIPPER);
    TableDialog noGripper;
    ASSERT_TRUE(noGripper.Create(nullptr));
    EXPECT_EQ(noGripper.GripperHighlight(), nullptr);
}
