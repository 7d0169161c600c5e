// What the pages and the main window do not already show of our dialog layer:
// the check list's keys, anchoring, gripper, minimum size,
// right-click help and popup placement.

#include <gtest/gtest.h>
#include <windows.h>

#include "WindowTestSupport.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/KCDialogEx.h"
#include "dialogs/KCWinAppEx.h"
#include "fixtures/TestDialogs.h"
#include "resources/resource.h"
#include "win/CheckListBox.h"

namespace {

RECT ClientRectOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class TestDialog : public KCDialogEx {
public:
    explicit TestDialog(UINT id = IDD_TEST_RESIZABLE) : KCDialogEx(id) {}
    CheckListBox list;
    int checkChanges = 0;

    BOOL OnInitDialog() override
    {
        if (Item(IDC_TEST_CHECKLIST)) {
            AddControlEntry(IDC_TEST_WIDE_EDIT, ANCHOR_LEFT | ANCHOR_RIGHT, 0);
            AddControlEntry(IDC_TEST_RIGHT_BUTTON, ANCHOR_RIGHT, 0);
            AddControlEntry(IDC_TEST_CHECK, ENTRY_HELP, IDS_HELP_BORDER);
            list.Attach(Handle(), IDC_TEST_CHECKLIST);
        }
        return KCDialogEx::OnInitDialog();
    }
    bool OnCommand(int id, int code, HWND) override
    {
        if (id == IDC_TEST_CHECKLIST && code == CheckListBox::CLBN_CHKCHANGE) ++checkChanges;
        return false;
    }
};

}  // namespace

TEST(CheckList, SpaceCarriesTheNewStateToEverySelectedRow)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    for (const char* row : {"640 x 480", "800 x 600", "1024 x 768"}) dialog.list.AddRow(row, false);
    dialog.list.SetChecked(1, true);
    EXPECT_EQ(dialog.checkChanges, 0);  // set from code: nobody told
    dialog.list.Select(2, true);
    SendMessageA(dialog.list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(dialog.list.Checked(2));
    for (int row : {0, 1}) dialog.list.Select(row, true);
    SendMessageA(dialog.list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(dialog.list.Checked(0) || dialog.list.Checked(1) || dialog.list.Checked(2));
    EXPECT_EQ(dialog.checkChanges, 2);
}

TEST(ResizableDialog, AnchorsGripperAndMinimumSize)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog.Handle(), SW_SHOWNORMAL);
    RECT initial;
    GetWindowRect(dialog.Handle(), &initial);
    const RECT wide = ClientRectOf(dialog.Item(IDC_TEST_WIDE_EDIT));
    const RECT right = ClientRectOf(dialog.Item(IDC_TEST_RIGHT_BUTTON));
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, initial.right - initial.left + 60, initial.bottom - initial.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRectOf(dialog.Item(IDC_TEST_WIDE_EDIT)).right, wide.right + 60);  // stretched
    EXPECT_EQ(ClientRectOf(dialog.Item(IDC_TEST_RIGHT_BUTTON)).left, right.left + 60);  // moved, same width

    MINMAXINFO info = {};
    SendMessageA(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, initial.right - initial.left);
    EXPECT_EQ(info.ptMinTrackSize.y, initial.bottom - initial.top);

    // The gripper sits in the corner and hides while maximised; a fixed-size dialog has none.
    HWND gripper = dialog.GripperHighlight();
    ASSERT_NE(gripper, nullptr);
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(ClientRectOf(gripper).right, client.right);
    ShowWindow(dialog.Handle(), SW_MAXIMIZE);
    EXPECT_FALSE(IsWindowVisible(gripper));
    TestDialog fixed(IDD_TEST_FIXED);
    ASSERT_TRUE(fixed.Create(nullptr));
    EXPECT_EQ(fixed.GripperHighlight(), nullptr);
}

TEST(ContextHelp, TheKeyCentresThePopupUnderTheControl)
{
    KCWinAppEx app;
    app.SetDialogFlags(DIALOG_HELP_ON_RIGHT_CLICK);
    TestDialog flagged;
    ASSERT_TRUE(flagged.Create(nullptr));
    ShowWindow(flagged.Handle(), SW_SHOW);
    RECT check, shown = {};
    GetWindowRect(flagged.Item(IDC_TEST_CHECK), &check);
    WindowWatcher watcher([] { return FindProcessWindow("MurvexHelpPopup", nullptr); },
                          [&](HWND popup) {
                              GetWindowRect(popup, &shown);
                              PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                          });
    SendMessageA(flagged.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(flagged.Item(IDC_TEST_CHECK)),
                 MAKELPARAM(-1, -1));  // the context-menu key
    watcher.Join();
    EXPECT_EQ(shown.top, check.bottom);
    EXPECT_NEAR((shown.left + shown.right) / 2, (check.left + check.right) / 2, 1);
}

TEST(HelpPopupPlacement, KeptInsideTheWorkArea)
{
    const RECT work = {0, 0, 1000, 700};
    struct Case {
        int x, y, w, h, left, top;
    };
    const Case cases[] = {
        {500, 300, 200, 50, 400, 300},  // centred on x, below y
        {950, 300, 200, 50, 800, 300},  // right edge
        {500, 680, 200, 50, 400, 630},  // bottom: above the point
        {990, 300, 1400, 50, 0, 300},   // wider than the work area: left edge wins
    };
    for (const Case& c : cases) {
        const POINT p = PlaceHelpPopup(c.x, c.y, c.w, c.h, work);
        EXPECT_EQ(p.x, c.left) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.top) << c.x << "," << c.y;
    }
}
