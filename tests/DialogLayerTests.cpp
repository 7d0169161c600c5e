// Our thin layer over Win32: data exchange, the check list box, the save-file
// dialog, and message pre-translation inside a modal loop.

#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "TestFiles.h"
#include "WindowTestSupport.h"
#include "fixtures/TestDialogs.h"
#include "win/CheckListBox.h"
#include "win/Dialog.h"
#include "win/MessageBox.h"
#include "win/SaveFileDialog.h"

namespace {

class ExchangeDialog : public Dialog {
public:
    ExchangeDialog() : Dialog(IDD_TEST_RESIZABLE) {}

    std::string text = "initial";
    uint32_t margin = 10;
    uint32_t height = 768;
    int32_t checked = 1;
    int32_t radio = 1;
    int32_t selection = 1;
    std::vector<int> commands;  // notification codes from the wide edit

    void DoDataExchange(DataExchange& exchange) override
    {
        exchange.Text(IDC_TEST_WIDE_EDIT, text);
        exchange.Number(IDC_TEST_UNSIGNED, margin);
        exchange.UnsignedRange(IDC_TEST_UNSIGNED, margin, 0, 100);
        exchange.Number(IDC_TEST_RANGED, height);
        exchange.UnsignedRange(IDC_TEST_RANGED, height, 100, 32000);
        exchange.Check(IDC_TEST_CHECK, checked);
        exchange.Radio(IDC_TEST_RADIO_FIRST, radio);
        exchange.Selection(IDC_TEST_COMBO, selection);
    }
    bool OnCommand(int id, int code, HWND) override
    {
        if (id == IDC_TEST_WIDE_EDIT) commands.push_back(code);
        return false;
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    DataExchangeTest()
    {
        dialog.Create(nullptr);
        ShowWindow(dialog.Handle(), SW_SHOW);
        SetForegroundWindow(dialog.Handle());
        SetActiveWindow(dialog.Handle());
    }
    void Type(int id, const char* text) { SetDlgItemTextA(dialog.Handle(), id, text); }

    MessageRecorder messages;
    ExchangeDialog dialog;
};

}  // namespace

TEST(NumberParsing, BlanksAroundDigitsAndNoSignForUnsigned)
{
    uint32_t value = 7;
    EXPECT_TRUE(DataExchange::ParseUnsigned(" \t42 \t", value));
    EXPECT_EQ(value, 42u);
    EXPECT_TRUE(DataExchange::ParseUnsigned("4294967295", value));
    for (const char* wrong : {"", "  ", "-5", "+5", "4 2", "42x", "4294967296", "0x10"})
        EXPECT_FALSE(DataExchange::ParseUnsigned(wrong, value)) << wrong;
}

TEST_F(DataExchangeTest, TransfersEveryKindBothWays)
{
    ASSERT_NE(dialog.Handle(), nullptr);
    // Initialisation data filled the combo box; the members went into the controls.
    EXPECT_EQ(SendDlgItemMessageA(dialog.Handle(), IDC_TEST_COMBO, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(WindowText(dialog.Item(IDC_TEST_WIDE_EDIT)), "initial");
    EXPECT_EQ(WindowText(dialog.Item(IDC_TEST_UNSIGNED)), "10");
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_TEST_RADIO_SECOND), static_cast<UINT>(BST_CHECKED));

    Type(IDC_TEST_WIDE_EDIT, "typed");
    Type(IDC_TEST_UNSIGNED, " 55\t");
    CheckDlgButton(dialog.Handle(), IDC_TEST_CHECK, BST_UNCHECKED);
    CheckRadioButton(dialog.Handle(), IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_THIRD, IDC_TEST_RADIO_THIRD);
    SendDlgItemMessageA(dialog.Handle(), IDC_TEST_COMBO, CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.text, "typed");
    EXPECT_EQ(dialog.margin, 55u);
    EXPECT_EQ(dialog.checked, 0);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.selection, 0);
    CheckRadioButton(dialog.Handle(), IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_THIRD, 0);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.radio, -1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataExchangeTest, OwnTransfersNotifyNobody)
{
    dialog.commands.clear();
    dialog.text = "from code";
    dialog.UpdateData(false);
    EXPECT_TRUE(dialog.commands.empty());
    Type(IDC_TEST_WIDE_EDIT, "from the user");
    EXPECT_NE(std::find(dialog.commands.begin(), dialog.commands.end(), EN_CHANGE), dialog.commands.end());
}

TEST_F(DataExchangeTest, ValidationMessagesFocusTheControlAndStopTheExchange)
{
    struct Case {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_TEST_UNSIGNED, "", "Please enter a positive integer."},
        {IDC_TEST_UNSIGNED, "-5", "Please enter a positive integer."},
        {IDC_TEST_UNSIGNED, "abc", "Please enter a positive integer."},
        {IDC_TEST_UNSIGNED, "150", "Please enter an integer between 0 and 100."},
        {IDC_TEST_RANGED, "99", "Please enter an integer between 100 and 32000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialog.UpdateData(false);
        messages.shown.clear();
        Type(IDC_TEST_UNSIGNED, "10");
        Type(IDC_TEST_RANGED, "768");
        Type(c.control, c.text);
        CheckDlgButton(dialog.Handle(), IDC_TEST_CHECK, BST_UNCHECKED);
        dialog.checked = 1;
        EXPECT_FALSE(dialog.UpdateData(true));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(messages.shown[0].caption, "dialog_tests");
        EXPECT_EQ(messages.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(GetFocus(), dialog.Item(c.control));
        DWORD start = 99, end = 99;
        SendMessageA(dialog.Item(c.control), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(std::strlen(c.text)));
        EXPECT_EQ(dialog.checked, 1);  // later controls were not read
    }
}

TEST(MessageBoxes, RealBoxCarriesTheExeNameAndTheText)
{
    std::string caption, text;
    WindowWatcher watcher([] { return FindProcessWindow("#32770", "dialog_tests"); },
                          [&](HWND box) {
                              caption = WindowText(box);
                              text = WindowText(GetDlgItem(box, 0xFFFF));
                              PostMessageA(box, WM_COMMAND, IDOK, 0);
                          });
    EXPECT_EQ(ShowMessage(nullptr, "Please enter a positive integer."), IDOK);
    watcher.Join();
    EXPECT_EQ(caption, "dialog_tests");
    EXPECT_EQ(text, "Please enter a positive integer.");
}

namespace {

class CheckListDialog : public Dialog {
public:
    CheckListDialog() : Dialog(IDD_TEST_RESIZABLE) {}
    CheckListBox list;
    int checkChanges = 0;

    BOOL OnInitDialog() override
    {
        list.Attach(Handle(), IDC_TEST_CHECKLIST);
        return Dialog::OnInitDialog();
    }
    bool OnCommand(int id, int code, HWND) override
    {
        if (id == IDC_TEST_CHECKLIST && code == CheckListBox::CLBN_CHKCHANGE) ++checkChanges;
        return false;
    }
};

LPARAM RowPoint(const CheckListBox& list, int row, int x)
{
    RECT rect = {};
    SendMessageA(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return MAKELPARAM(x, (rect.top + rect.bottom) / 2);
}

}  // namespace

TEST(CheckList, ClicksOnTheBoxAndSpaceToggleAndNotify)
{
    CheckListDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog.Handle(), SW_SHOW);
    CheckListBox& list = dialog.list;
    for (const char* row : {"640 x 480", "800 x 600", "1024 x 768"}) list.AddRow(row, false);
    list.SetChecked(1, true);
    EXPECT_EQ(dialog.checkChanges, 0);  // from code: no notification
    EXPECT_TRUE(list.Checked(1));

    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(list, 0, 3));
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, RowPoint(list, 0, 3));
    EXPECT_TRUE(list.Checked(0));
    EXPECT_EQ(dialog.checkChanges, 1);

    // A click on the text selects without toggling.
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(list, 2, 60));
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, RowPoint(list, 2, 60));
    EXPECT_FALSE(list.Checked(2));
    EXPECT_EQ(dialog.checkChanges, 1);
    EXPECT_EQ(list.SelectedRows(), std::vector<size_t>{2});

    SendMessageA(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(list.Checked(2));
    EXPECT_EQ(dialog.checkChanges, 2);

    // Space on a selected row carries its new state to every selected row.
    list.Select(0, true);
    list.Select(1, true);
    list.Select(2, true);
    SendMessageA(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(list.Checked(0) || list.Checked(1) || list.Checked(2));
    EXPECT_EQ(dialog.checkChanges, 3);

    list.DeleteRow(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.RowText(0), "800 x 600");
}

namespace {

const int SET_AS_WALLPAPER = 1064, SAVE_SETTINGS = 1062, SAVE_MASTER = 1063;

class RecordingSaveDialog : public SaveFileDialog {
public:
    RecordingSaveDialog(const std::string& path, DWORD flags)
        : SaveFileDialog({137, 136, {SET_AS_WALLPAPER, SAVE_SETTINGS, SAVE_MASTER}}, "bmp", path, flags,
                         "Backgrounds|*.bmp||", nullptr)
    {
    }
    std::vector<int> helpAskedOn;

protected:
    void OnHelp(HWND control, POINT) override { helpAskedOn.push_back(GetDlgCtrlID(control)); }
};

BOOL CALLBACK HoldsChoices(HWND child, LPARAM data)
{
    if (!GetDlgItem(child, SET_AS_WALLPAPER)) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

}  // namespace

TEST(SaveDialog, ShowsAndReadsTheChoicesAndReportsTheExtension)
{
    TempFolder folder;
    RecordingSaveDialog dialog(folder.File("Orvalin.bmp"), OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(dialog.TemplateId(), 137u);
    dialog.checked = {true, false, false};

    std::vector<bool> shown;
    const std::string typed = folder.File("office.jpg");
    WindowWatcher watcher([] { return FindProcessWindow("#32770", "Save As"); },
                          [&](HWND save) {
                              HWND area = nullptr;  // the child dialog of our template
                              for (int i = 0; i < 200 && !area; ++i, Sleep(10))
                                  EnumChildWindows(save, HoldsChoices, reinterpret_cast<LPARAM>(&area));
                              if (!area) return;
                              for (int id : {SET_AS_WALLPAPER, SAVE_SETTINGS, SAVE_MASTER})
                                  shown.push_back(IsDlgButtonChecked(area, id) == BST_CHECKED);
                              SendMessageA(area, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(area, SAVE_MASTER)),
                                           MAKELPARAM(10, 10));
                              SendMessageA(GetDlgItem(area, SAVE_SETTINGS), BM_CLICK, 0, 0);
                              SendMessageA(GetDlgItem(save, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
                              PostMessageA(save, WM_COMMAND, IDOK, 0);
                          });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    watcher.Join();
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(lstrcmpiA(dialog.Path().c_str(), typed.c_str()), 0) << dialog.Path();
    EXPECT_TRUE(dialog.ExtensionDiffers());
    EXPECT_EQ(dialog.checked, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(dialog.helpAskedOn, std::vector<int>{SAVE_MASTER});

    // The old-style template drops Help and the network button; Cancel gives IDCANCEL.
    RecordingSaveDialog old("x.bmp", OFN_HIDEREADONLY | OFN_SHOWHELP);
    EXPECT_EQ(old.TemplateId(), 136u);
    EXPECT_FALSE(old.Flags() & OFN_SHOWHELP);
    EXPECT_TRUE(old.Flags() & OFN_NONETWORKBUTTON);
    RecordingSaveDialog cancelled("x.bmp", OFN_EXPLORER);
    WindowWatcher cancel([] { return FindProcessWindow("#32770", "Save As"); },
                         [](HWND save) { PostMessageA(save, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

namespace {

class RecordingPage : public Dialog {
public:
    explicit RecordingPage(std::vector<std::string>& log) : Dialog(IDD_TEST_PAGE), log_(log) {}
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message == WM_KEYDOWN && message.wParam == 'Q') log_.push_back("page");
        return false;
    }

private:
    std::vector<std::string>& log_;
};

class ModalParent : public Dialog {
public:
    ModalParent() : Dialog(IDD_TEST_FIXED), page(log) {}
    std::vector<std::string> log;
    RecordingPage page;

    BOOL OnInitDialog() override
    {
        Dialog::OnInitDialog();
        page.Create(Handle());
        HWND edit = page.Item(IDC_TEST_PAGE_EDIT);
        SetFocus(edit);
        PostMessageA(edit, WM_KEYDOWN, 'Q', 0);
        PostMessageA(Handle(), WM_APP, 0, 0);
        return FALSE;  // the focus is set
    }
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message == WM_KEYDOWN && message.wParam == 'Q') log.push_back("parent");
        return false;
    }
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        if (message != WM_APP) return 0;
        handled = true;
        EndDialog(IDOK);
        return 0;
    }
};

}  // namespace

TEST(ModalLoop, PreTranslateReachesTheFocusedChildDialogFirst)
{
    ModalParent parent;
    EXPECT_EQ(parent.DoModal(), IDOK);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"page", "parent"}));
    EXPECT_EQ(parent.Handle(), nullptr);  // destroyed when the loop ended
}
