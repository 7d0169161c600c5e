// The tab pages and the Add Screen Size dialog, hosted in a plain window that
// stands in for the main window and records what the pages post to it.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <thread>
#include <vector>

#include "WindowTestSupport.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/KCWinAppEx.h"
#include "pages/CaptionsPage.h"
#include "pages/GeneralPage.h"
#include "pages/GridPage.h"
#include "pages/NotesPage.h"
#include "render/WallpaperRenderer.h"
#include "resources/resource.h"

namespace {

std::vector<UINT> posted;  // what reached the host, in order

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == UM_SETTINGS_CHANGED || message == UM_SECTIONS_CHANGED || message == WM_CLOSE) {
        posted.push_back(message);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Runs messages as the main window's modal loop would, keys through the pages first.
void Pump(HWND page)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (Dialog::PreTranslateChain(message) || IsDialogMessageA(page, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class PageTest : public ::testing::Test {
protected:
    PageTest()
    {
        WNDCLASSA hostClass = {};
        hostClass.lpfnWndProc = HostProcedure;
        hostClass.hInstance = GetModuleHandleA(nullptr);
        hostClass.lpszClassName = "MurvexPageHost";
        RegisterClassA(&hostClass);
        host = CreateWindowExA(0, "MurvexPageHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        app.SetDialogFlags(DIALOG_HELP_ON_RIGHT_CLICK);
        SetForegroundWindow(host);
        posted.clear();
    }
    ~PageTest() override { DestroyWindow(host); }

    void Open(Dialog& page)
    {
        ASSERT_TRUE(page.Create(host));
        ShowWindow(page.Handle(), SW_SHOW);
        Pump(page.Handle());
        EXPECT_TRUE(posted.empty()) << "the page's own transfers post nothing";
    }
    std::vector<UINT> Posted(Dialog& page)
    {
        Pump(page.Handle());
        return std::exchange(posted, {});
    }
    void Click(Dialog& page, int id) { SendMessageA(page.Item(id), BM_CLICK, 0, 0); }
    // Types over the whole text, as a user does (setting it would not notify a multi-line box).
    void Type(Dialog& page, int id, const char* text)
    {
        SendDlgItemMessageA(page.Handle(), id, EM_SETSEL, 0, -1);
        SendDlgItemMessageA(page.Handle(), id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    KCWinAppEx app;
    HWND host = nullptr;
    MessageRecorder messages;
};

const std::vector<UINT> SETTINGS = {UM_SETTINGS_CHANGED};

}  // namespace

TEST_F(PageTest, GeneralSectionsAndMargin)
{
    GeneralSettings settings;
    settings.position = POSITION_TOP_RIGHT;
    GeneralPage page(settings);
    Open(page);
    EXPECT_EQ(WindowText(page.Item(IDC_GENERAL_MARGIN)), "10");

    // A corner for the content, until the grid decides where everything goes.
    HWND position = page.Item(IDC_GENERAL_POSITION);
    EXPECT_EQ(SendMessageA(position, CB_GETCOUNT, 0, 0), POSITION_COUNT);
    EXPECT_EQ(WindowText(position), "Top right");
    SendMessageA(position, CB_SETCURSEL, POSITION_BOTTOM_RIGHT, 0);
    SendMessageA(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_GENERAL_POSITION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(position));
    EXPECT_EQ(Posted(page), SETTINGS);
    EXPECT_EQ(settings.position, POSITION_BOTTOM_RIGHT);
    Click(page, IDC_GENERAL_GRID);
    EXPECT_EQ(Posted(page), (std::vector<UINT>{UM_SECTIONS_CHANGED, UM_SETTINGS_CHANGED}));
    EXPECT_EQ(settings.grid, 1);
    EXPECT_FALSE(IsWindowEnabled(position));

    // A margin outside 0..100 or no number at all: told, focused, selected; the last good margin stays.
    const std::pair<const char*, const char*> wrong[] = {{"150", "Please enter an integer between 0 and 100."},
                                                         {"", "Please enter a positive integer."},
                                                         {"-5", "Please enter a positive integer."},
                                                         {"4294967296", "Please enter a positive integer."}};
    for (const auto& [text, message] : wrong) {
        messages.shown.clear();
        SetDlgItemTextA(page.Handle(), IDC_GENERAL_MARGIN, text);
        ASSERT_EQ(messages.shown.size(), 1u) << text;
        EXPECT_EQ(messages.shown[0].text, message);
        EXPECT_EQ(GetFocus(), page.Item(IDC_GENERAL_MARGIN));
        const LRESULT selected = SendDlgItemMessageA(page.Handle(), IDC_GENERAL_MARGIN, EM_GETSEL, 0, 0);
        EXPECT_EQ(selected, MAKELRESULT(0, strlen(text)));
        EXPECT_EQ(settings.margins, 10u);
        EXPECT_EQ(Posted(page), SETTINGS);
    }
    SetDlgItemTextA(page.Handle(), IDC_GENERAL_MARGIN, " 42 ");
    EXPECT_EQ(settings.margins, 42u);
}

TEST_F(PageTest, NotesKeysAndTabStop)
{
    NotesSettings settings{"Name:\tvalue"};
    NotesPage page(settings);
    Open(page);
    const int first = page.TabStop();
    EXPECT_GT(first, 0);
    Type(page, IDC_NOTES_EDIT, "Name:\tvalue\r\nA line wider than any label");
    EXPECT_EQ(Posted(page), SETTINGS);
    const int wider = page.TabStop();
    EXPECT_GT(wider, first);
    Type(page, IDC_NOTES_EDIT, "no tab");
    EXPECT_EQ(page.TabStop(), wider);

    SetFocus(page.Item(IDC_NOTES_EDIT));
    SendDlgItemMessageA(page.Handle(), IDC_NOTES_EDIT, EM_SETSEL, 6, 6);
    PressKeys({VK_RETURN});
    PressKeys({VK_CONTROL, VK_TAB});
    Pump(page.Handle());
    EXPECT_EQ(settings.notes, "no tab\r\n\t");
    EXPECT_EQ(GetFocus(), page.Item(IDC_NOTES_EDIT));
    Posted(page);
    PressKeys({VK_ESCAPE});
    EXPECT_EQ(Posted(page), std::vector<UINT>{WM_CLOSE});

    // The box takes what the settings file can give back, and says so when full.
    const std::string pasted(MAX_NOTES_LENGTH + 500, 'p');
    Type(page, IDC_NOTES_EDIT, pasted.c_str());
    EXPECT_EQ(settings.notes, std::string(MAX_NOTES_LENGTH, 'p'));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("The notes can hold at most 10,000 characters", 0), 0u);
}

TEST_F(PageTest, GridListButtonsAndAddingAndRemovingSizes)
{
    GridSettings settings;
    GridPage page(settings);
    Open(page);
    HWND list = page.Item(IDC_GRID_SIZES);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 0, 0), 1);  // first row selected
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_GRID_REMOVE)));
    EXPECT_EQ(SendDlgItemMessageA(page.Handle(), IDC_GRID_LINE_SIZE, CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(SendDlgItemMessageA(page.Handle(), IDC_GRID_LINE_SIZE, CB_GETCURSEL, 0, 0), 2);

    // Add: the height is checked first and a bad one takes the focus; then a new size and
    // a known one.
    std::vector<int> focus;  // after each OK
    auto add = [&](std::vector<std::pair<const char*, const char*>> tries) {
        std::thread user([&] {
            HWND window = nullptr;
            if (!WaitFor([&] { return (window = FindProcessWindow("#32770", "Add Screen Size")) != nullptr; })) return;
            for (const auto& [width, height] : tries) {
                SetDlgItemTextA(window, IDC_ADDSIZE_WIDTH, width);
                SetDlgItemTextA(window, IDC_ADDSIZE_HEIGHT, height);
                SendMessageA(window, WM_COMMAND, IDOK, 0);  // returns once the dialog has answered
                focus.push_back(GetDlgCtrlID(FocusOf(GetWindowThreadProcessId(host, nullptr))));
            }
        });
        Click(page, IDC_GRID_ADD);
        user.join();
    };
    add({{"99", "-5"}, {"1400", "1050"}});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please enter a positive integer.");
    EXPECT_EQ(focus.at(0), IDC_ADDSIZE_HEIGHT);
    const auto* sizes = dynamic_cast<CheckListBox*>(ReflectedControl::FromHandle(list));
    const auto rowText = [&](int row) { return sizes->RowText(row); };
    int row = 0;
    while (rowText(row) != "1400 x 1050" && row < 20) ++row;
    EXPECT_EQ(rowText(row - 1), "1280 x 1024");
    EXPECT_EQ(rowText(row + 1), "1600 x 1200");
    EXPECT_TRUE(sizes->Checked(row));
    EXPECT_EQ(Posted(page), SETTINGS);
    messages.shown.clear();
    add({{"800", "600"}});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "This resolution is already in the list.");
    EXPECT_TRUE(Posted(page).empty());

    // Remove: three rows ask the plural question; No keeps them, Yes removes them.
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 2));
    messages.shown.clear();
    messages.answer = IDNO;
    Click(page, IDC_GRID_REMOVE);
    EXPECT_EQ(messages.shown.at(0).text, "Are you sure you want to remove these resolutions?");
    EXPECT_EQ(messages.shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), count);
    EXPECT_TRUE(Posted(page).empty());
    messages.answer = IDYES;
    Click(page, IDC_GRID_REMOVE);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), count - 3);
    EXPECT_EQ(settings.sizes.Entries().size(), static_cast<size_t>(count - 3));
    EXPECT_EQ(rowText(0), "1152 x 864");
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_GRID_REMOVE)));
    EXPECT_EQ(Posted(page), SETTINGS);

    // A click on a row's box changes the size's state; a click on its text only selects it.
    const bool enabled = settings.sizes.Entries()[1].enabled;
    RECT rect = {};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    for (int x : {3, 60}) {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, (rect.top + rect.bottom) / 2));
        SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, (rect.top + rect.bottom) / 2));
        EXPECT_FALSE(Posted(page).empty()) << "click at " << x;
    }
    EXPECT_NE(settings.sizes.Entries()[1].enabled, enabled);
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_GRID_REMOVE)));
}

namespace {

std::string RowText(HWND list, int row, int column)
{
    char text[256] = "";
    ListView_GetItemText(list, row, column, text, sizeof text);
    return text;
}

}  // namespace

// The lines in wallpaper order with their ticks and values; a value overwritten, a line
// ticked and moved; one of the administrator's lines added, changed and removed.
TEST_F(PageTest, CaptionLinesListOrderAndOwnLines)
{
    CaptionSettings settings;
    settings.custom = {{"Rack:", "text:R4-B2", 1}};
    settings.order = ParseOrderText("Custom1,Locale");
    CaptionsPage page(settings);
    Open(page);
    HWND list = page.Item(IDC_CAPTIONS_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), CAPTION_COUNT + 1);
    EXPECT_EQ(RowText(list, 0, 0) + RowText(list, 0, 1) + RowText(list, 1, 0) + RowText(list, 2, 0) + RowText(list, 23, 0),
              "Rack:R4-B2Locale:System Name:Updated:");
    EXPECT_EQ(WindowText(page.Item(IDC_CAPTIONS_VALUE)), "R4-B2");  // the first row selected
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_CAPTIONS_UP)));
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_CAPTIONS_REMOVE)));

    // The CPU's line: its value found, greyed until Space ticks it; overwritten, the list follows.
    ListView_SetItemState(list, 12, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(RowText(list, 12, 0), "CPU:");
    EXPECT_NE(WindowText(page.Item(IDC_CAPTIONS_VALUE)).find("logical processor"), std::string::npos);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_CAPTIONS_VALUE)));
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_CAPTIONS_EDIT_LINE)));
    EXPECT_TRUE(Posted(page).empty());
    SetFocus(list);
    PressKeys({VK_SPACE});  // ticked from the keyboard
    Pump(page.Handle());
    EXPECT_EQ(settings.enabled[CAPTION_CPU], 1);
    EXPECT_EQ(Posted(page), SETTINGS);
    ASSERT_TRUE(IsWindowEnabled(page.Item(IDC_CAPTIONS_VALUE)));
    Type(page, IDC_CAPTIONS_VALUE, "Eight cores");
    EXPECT_EQ(LineValue(page.Values(), CAPTION_CPU), "Eight cores");
    EXPECT_EQ(RowText(list, 12, 1), "Eight cores");
    EXPECT_EQ(Posted(page), SETTINGS);
    Click(page, IDC_CAPTIONS_UP);
    Click(page, IDC_CAPTIONS_UP);
    EXPECT_NE(OrderText(LineOrder(settings)).find(",Domain,CPU,LogonServer,BootTime,"), std::string::npos);
    EXPECT_EQ(RowText(list, 10, 0), "CPU:");
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 10);
    EXPECT_EQ(Posted(page), (std::vector<UINT>{UM_SETTINGS_CHANGED, UM_SETTINGS_CHANGED}));

    // Add: label, kind and source in a small dialog that shows what it reads; then Edit.
    const auto lineDialog = [&](const char* label, int kind, const char* source, std::string* valueNow) {
        return std::thread([=] {
            HWND window = nullptr;
            if (!WaitFor([&] { return (window = FindProcessWindow("#32770", "Caption Line")) != nullptr; })) return;
            if (label) SetDlgItemTextA(window, IDC_CUSTOM_LABEL, label);
            SendDlgItemMessageA(window, IDC_CUSTOM_KIND, CB_SETCURSEL, static_cast<WPARAM>(kind), 0);
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CUSTOM_KIND, CBN_SELCHANGE), 0);
            SetDlgItemTextA(window, IDC_CUSTOM_SOURCE, source);
            if (valueNow) {  // read once typing has paused
                WaitFor([&] { return !WindowText(GetDlgItem(window, IDC_CUSTOM_VALUE)).empty(); }, 3000);
                *valueNow = WindowText(GetDlgItem(window, IDC_CUSTOM_VALUE));
            }
            SendMessageA(window, WM_COMMAND, IDOK, 0);
        });
    };
    std::string valueNow;
    std::thread user = lineDialog("Site:", 1, "MURVEX_PAGE_SITE", &valueNow);  // an environment variable
    SetEnvironmentVariableA("MURVEX_PAGE_SITE", "Berlin");
    Click(page, IDC_CAPTIONS_ADD);
    user.join();
    EXPECT_EQ(valueNow, "Berlin");
    ASSERT_EQ(settings.custom.size(), 2u);
    EXPECT_EQ(settings.custom[1].source, "env:MURVEX_PAGE_SITE");
    EXPECT_EQ(RowText(list, 24, 0) + RowText(list, 24, 1), "Site:Berlin");  // last, selected
    EXPECT_EQ(Posted(page), SETTINGS);
    user = lineDialog(nullptr, 3, "Room 4", nullptr);
    Click(page, IDC_CAPTIONS_EDIT_LINE);
    user.join();
    EXPECT_EQ(settings.custom[1], (CustomLine{"Site:", "text:Room 4", 1}));
    EXPECT_EQ(RowText(list, 24, 1), "Room 4");

    // Remove asks first; the line after it moves up in the order.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    messages.answer = IDYES;
    Click(page, IDC_CAPTIONS_REMOVE);
    EXPECT_EQ(messages.shown.at(0).text, "Are you sure you want to remove the line \"Rack:\"?");
    ASSERT_EQ(settings.custom.size(), 1u);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), CAPTION_COUNT + 1);
    EXPECT_EQ(RowText(list, 0, 0) + RowText(list, 23, 0) + RowText(list, 23, 1), "Locale:Site:Room 4");
    EXPECT_EQ(page.Values().custom, std::vector<std::string>{"Room 4"});
}

// Every help text fits its popup whole: measured in the popup's own font with the flags it
// draws with, the text needs no more than the popup's text area.
TEST(HelpPopupSize, EveryHelpTextFitsItsPopup)
{
    int texts = 0;
    for (UINT id = 2000; id < 3002; ++id) {
        const std::string text = LoadResourceText(id);
        if (text.empty()) continue;
        ++texts;
        HelpPopup popup;
        ASSERT_TRUE(popup.Create(text, 100, 100, nullptr));
        RECT area = {};
        GetClientRect(popup.Handle(), &area);
        InflateRect(&area, -HELP_POPUP_MARGIN, -HELP_POPUP_MARGIN);
        const WindowDC dc(popup.Handle());
        const SelectObjectScope font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(popup.Handle(), WM_GETFONT, 0, 0)));
        RECT needed = {0, 0, area.right - area.left, 0};
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | HELP_POPUP_TEXT_FORMAT);
        EXPECT_LE(needed.right, area.right - area.left) << text;
        EXPECT_LE(needed.bottom, area.bottom - area.top) << text;
    }
    EXPECT_GT(texts, 30);  // every control's, not a few
}
