// The program a user sees: the real exe started in Wine's virtual desktop and
// driven from outside as a user would.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <cstdlib>
#include <set>

#include "TestFiles.h"
#include "WindowTestSupport.h"
#include "resources/resource.h"
#include "settings/ProfileCodec.h"
#include "win/Handles.h"
#include "win/ResourceText.h"

namespace {

// The exe copied under a name of its own, so its settings files are the test's.
class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        JoinDesktop();
        DeleteFileA(WindowsFile("MurvexUI.INI").c_str());
    }
    ~MainWindow() override
    {
        Stop();
        DeleteFileA(WindowsFile("MurvexUI.INI").c_str());
    }

    void Stop()
    {
        if (!process.hProcess) return;
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }

    void Launch()
    {
        ASSERT_TRUE(StartProcess(Wide("\"" + exe + "\""), process));
        main = Find("Murvex", IDC_MAIN_PREVIEW);
        ASSERT_NE(main, nullptr);
        tab = GetDlgItem(main, IDC_MAIN_TAB);
    }
    HWND Find(const char* title, int withControl = 0, int milliseconds = 10000)
    {
        HWND found = nullptr;
        WaitFor([&] { return (found = FindProcessWindow("#32770", title, process.dwProcessId, withControl)); },
                milliseconds);
        return found;
    }
    bool Ended(int milliseconds = 5000) { return WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0; }

    // The message box the program shows (its caption is the exe's name), answered with `button`.
    std::string Answer(int button)
    {
        HWND box = Find("MurvexUI", IDOK == button ? IDOK : button);
        if (!box) return "<no message>";
        const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return text;
    }

    int TabCount() { return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); }
    // The page shown: a dialog of the window's own.
    HWND VisiblePage()
    {
        for (HWND page = FindWindowExA(main, nullptr, "#32770", nullptr); page;
             page = FindWindowExA(main, page, "#32770", nullptr))
            if (IsWindowVisible(page)) return page;
        return nullptr;
    }
    // The page shown, named by a control only it has.
    std::string ShownPage()
    {
        HWND page = VisiblePage();
        if (!page) return "none";
        if (GetDlgItem(page, IDC_GRID_SIZES)) return "Grid";
        if (GetDlgItem(page, IDC_CAPTIONS_OS_EDIT)) return "Captions";
        char name[16] = "";
        GetClassNameA(GetDlgItem(page, IDC_NOTES_EDIT), name, sizeof name);
        return lstrcmpiA(name, "Edit") == 0 ? "Notes" : "General";
    }
    HWND PageControl(int id) { return GetDlgItem(VisiblePage(), id); }
    // The tabs' pages from left to right, as a user finds them by stepping through.
    std::string TabPages()
    {
        std::string pages;
        for (int i = 0; i < TabCount(); ++i) PostMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
        for (int i = 0; i < TabCount(); ++i) {
            if (i) PostMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
            WaitFor([&] { return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == i; }, 2000);
            pages += (i ? " " : "") + ShownPage();
        }
        for (int i = 0; i < TabCount(); ++i) PostMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
        WaitFor([&] { return ShownPage() == "General"; }, 2000);
        return pages;
    }
    // The preview's pixels as the screen shows them, in a coarse grid.
    std::vector<COLORREF> PreviewPixels()
    {
        // Copied from the screen at once: a pixel read from the screen is a trip to the display.
        RECT rect = {};
        GetWindowRect(GetDlgItem(main, IDC_MAIN_PREVIEW), &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        const WindowDC screen(nullptr);
        const MemoryDC copy(CreateCompatibleDC(screen.Get()));
        const BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
        const SelectObjectScope selected(copy.Get(), bitmap.Get());
        BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
        std::vector<COLORREF> pixels;
        for (int y = 2; y < height; y += 3)
            for (int x = 2; x < width; x += 3) pixels.push_back(GetPixel(copy.Get(), x, y));
        return pixels;
    }
    void CheckAddressAndUserRows();
    int VisiblePages()
    {
        int count = 0;
        for (HWND page = FindWindowExA(main, nullptr, "#32770", nullptr); page;
             page = FindWindowExA(main, page, "#32770", nullptr))
            count += IsWindowVisible(page) ? 1 : 0;
        return count;
    }
    // A click on tab `index`, where a user's mouse would make it (the tab's rectangle is
    // asked for in the program's own memory).
    void ClickTab(int index)
    {
        RECT item = {};
        void* remote = VirtualAllocEx(process.hProcess, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process.hProcess, remote, &item, sizeof item, nullptr);
        VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tab, WM_LBUTTONUP, 0, at);
    }
    void Type(HWND control, const std::string& text)
    {
        for (char c : text) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
    }

    TempFolder folder;
    const std::string exe = CopyProgram(folder, "MurvexUI.exe");
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    HWND tab = nullptr;
};

}  // namespace

TEST_F(MainWindow, SectionsDriveTheTabsAndThePreviewFollowsTheNotes)
{
    Launch();
    EXPECT_EQ(TabPages(), "General Captions Notes");
    std::vector<COLORREF> before;
    ASSERT_TRUE(WaitFor([&] {
        before = PreviewPixels();
        return std::set<COLORREF>(before.begin(), before.end()).size() >= 2;
    })) << "the preview shows the wallpaper";

    SendMessageA(PageControl(IDC_GENERAL_GRID), BM_CLICK, 0, 0);
    EXPECT_EQ(TabPages(), "General Captions Notes Grid");
    SendMessageA(PageControl(IDC_GENERAL_GRID), BM_CLICK, 0, 0);
    SendMessageA(PageControl(IDC_GENERAL_NOTES), BM_CLICK, 0, 0);
    EXPECT_EQ(TabPages(), "General Captions");
    SendMessageA(PageControl(IDC_GENERAL_NOTES), BM_CLICK, 0, 0);
    EXPECT_EQ(TabPages(), "General Captions Notes");

    // Typing a note changes the preview.
    before = PreviewPixels();
    PostMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(WaitFor([&] { return ShownPage() == "Notes"; }));
    Type(PageControl(IDC_NOTES_EDIT), "Rack 4, slot 2");
    EXPECT_TRUE(WaitFor([&] { return PreviewPixels() != before; }));

    // A double-click on the left edge fits the preview to the wallpaper's proportions.
    RECT was = {}, now = {};
    GetWindowRect(main, &was);
    was.left -= 300;  // wider than its minimum, so there is room to narrow it
    SetWindowPos(main, nullptr, was.left, was.top, was.right - was.left, was.bottom - was.top, SWP_NOZORDER);
    PostMessageA(main, WM_NCLBUTTONDBLCLK, HTLEFT, 0);
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(main, &now) && now.left != was.left; }));
    EXPECT_EQ(now.right, was.right);

    // Changed and not saved: closing asks; No closes.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDNO), "Do you want to save changes to the wallpaper?");
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(FileExists(WindowsFile("MurvexUI.INI")));
}

// The first click of a fresh window on any tab shows that page and no other.
TEST_F(MainWindow, FirstClickOnAnyTabShowsThatPageAlone)
{
    WriteWholeFile(folder.File("MurvexUI.INI"), "[General]\r\nGrid=1\r\n");
    struct Case {
        int tab;
        const char* page;
        int control;
    };
    for (const Case& c : {Case{1, "Captions", IDC_CAPTIONS_OS_EDIT}, Case{2, "Notes", IDC_NOTES_EDIT},
                          Case{3, "Grid", IDC_GRID_SIZES}}) {
        SCOPED_TRACE(c.page);
        Stop();
        Launch();
        ASSERT_EQ(TabCount(), 4);
        ClickTab(c.tab);
        ASSERT_TRUE(WaitFor([&] { return ShownPage() == c.page; }, 3000)) << ShownPage();
        EXPECT_EQ(VisiblePages(), 1);
        HWND control = PageControl(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsWindowEnabled(control));
        if (c.control == IDC_GRID_SIZES) {
            EXPECT_GE(SendMessageA(control, LB_GETCOUNT, 0, 0), 7);  // the common sizes
        } else {
            SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
            EXPECT_EQ(WindowText(control), "typed");
        }
        if (c.control == IDC_CAPTIONS_OS_EDIT) CheckAddressAndUserRows();
    }
}

// The address and the user rows below the six: off by default with what was found in
// them, next in the tab order, inside the tab control above the preview; ticking one
// makes its box editable.
void MainWindow::CheckAddressAndUserRows()
{
    HWND page = GetParent(PageControl(IDC_CAPTIONS_IP_EDIT));
    ASSERT_NE(page, nullptr);
    HWND ipEdit = GetDlgItem(page, IDC_CAPTIONS_IP_EDIT), userEdit = GetDlgItem(page, IDC_CAPTIONS_USER_EDIT);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_CAPTIONS_IP_CHECK, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(ipEdit));
    EXPECT_FALSE(IsWindowEnabled(userEdit));
    EXPECT_NE(WindowText(userEdit).find('\\'), std::string::npos) << WindowText(userEdit);
    HWND step = GetDlgItem(page, IDC_CAPTIONS_BROWSERVERS_EDIT);
    for (int id : {IDC_CAPTIONS_IP_CHECK, IDC_CAPTIONS_USER_CHECK}) {
        step = GetNextDlgTabItem(page, step, FALSE);
        EXPECT_EQ(GetDlgCtrlID(step), id);
    }
    RECT user = {}, tabArea = {}, preview = {};
    GetWindowRect(userEdit, &user);
    GetWindowRect(tab, &tabArea);
    GetWindowRect(GetDlgItem(main, IDC_MAIN_PREVIEW), &preview);
    EXPECT_LT(user.bottom, tabArea.bottom);
    EXPECT_LT(tabArea.bottom, preview.top);
    SendDlgItemMessageA(page, IDC_CAPTIONS_IP_CHECK, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(ipEdit));
}

TEST_F(MainWindow, SaveAsWritesInstallsAndKeepsOnlyWhatDiffers)
{
    Launch();
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_SAVE_AS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_MAIN_SAVE_AS)));
    HWND dialog = Find("Save As", 0x47c);
    ASSERT_NE(dialog, nullptr);
    HWND name = GetDlgItem(dialog, 0x47c);
    EXPECT_EQ(WindowText(name), "Orvalin.bmp");
    HWND choices = FindWindowExA(dialog, nullptr, "#32770", nullptr);
    EXPECT_EQ(SendDlgItemMessageA(choices, IDC_SAVEAS_SET_WALLPAPER, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(choices, IDC_SAVEAS_SAVE_SETTINGS, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(choices, IDC_SAVEAS_SAVE_MASTER, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // Another extension is refused and the dialog comes back; without one, ".bmp" is added.
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.File("office.jpg").c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Answer(IDOK), "You must specify a .bmp extension.");
    dialog = Find("Save As", 0x47c);
    ASSERT_NE(dialog, nullptr);
    // What was typed comes back to be corrected: the name, in the folder it named.
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 0x47c)), "office.jpg");
    SendMessageA(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("office"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);

    const std::string written = folder.File("office.bmp");
    ASSERT_TRUE(WaitFor([&] { return FileExists(WindowsFile("MurvexUI.INI")); }));
    const std::string file = ReadWholeFile(written);
    ASSERT_GT(file.size(), 62u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(file[28], 1);  // one bit per pixel
    EXPECT_EQ(lstrcmpiA(DesktopValue("Wallpaper").c_str(), written.c_str()), 0) << DesktopValue("Wallpaper");
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    const std::string settings = ReadWholeFile(WindowsFile("MurvexUI.INI"));
    EXPECT_NE(settings.find("Filename=office.bmp"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("Margins"), std::string::npos) << settings;

    // Nothing changed since: closing asks nothing.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended());
}

TEST_F(MainWindow, ClosingOffersSaveAndAFailedWriteKeepsTheWindow)
{
    const std::string locked = folder.File("locked.bmp");
    WriteWholeFile(locked, "keep");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Launch();
    SendMessageA(PageControl(IDC_GENERAL_BORDER), BM_CLICK, 0, 0);

    // Yes, then a file another program holds open: told why, and the window stays.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDYES), "Do you want to save changes to the wallpaper?");
    HWND dialog = Find("Save As", 0x47c);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(locked.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    // The file dialog asks before replacing a file (its title is the system's).
    if (HWND replace = Find(nullptr, IDYES, 3000)) PostMessageA(replace, WM_COMMAND, IDYES, 0);
    const std::string failure = Answer(IDOK);
    EXPECT_EQ(failure.rfind("The wallpaper could not be written to " + locked + ".", 0), 0u) << failure;
    EXPECT_FALSE(Ended(1000));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(locked), "keep");

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDNO), "Do you want to save changes to the wallpaper?");
    EXPECT_TRUE(Ended());
}

// Right-click on a label shows the help of the control it names, on every page.
TEST_F(MainWindow, HelpOnEveryLabelIsThatOfTheControlItNames)
{
    WriteWholeFile(folder.File("MurvexUI.INI"), "[General]\r\nGrid=1\r\n");
    Launch();
    const std::vector<std::pair<std::string, UINT>> topics = {
        {"&Margin:", IDS_HELP_MARGIN}, {"&Screen sizes:", IDS_HELP_SIZES}, {"&Line size:", IDS_HELP_LINE_SIZE}};
    int labels = 0;
    for (int index = 0; index < TabCount(); ++index) {
        ClickTab(index);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == index; }, 3000));
        HWND page = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (page = VisiblePage()) != nullptr; }));
        for (HWND label = FindWindowExA(page, nullptr, "Static", nullptr); label;
             label = FindWindowExA(page, label, "Static", nullptr)) {
            const std::string text = WindowText(label);
            if (text.empty() || GetDlgCtrlID(label) != IDC_STATIC_LABEL) continue;
            SCOPED_TRACE(text);
            ++labels;
            auto topic = std::find_if(topics.begin(), topics.end(), [&](const auto& t) { return t.first == text; });
            ASSERT_NE(topic, topics.end()) << "a label without an expected topic";
            RECT rect = {};
            GetWindowRect(label, &rect);
            PostMessageA(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page),
                         MAKELPARAM(rect.left + 3, (rect.top + rect.bottom) / 2));
            HWND help = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (help = FindWindowA("MurvexHelpPopup", nullptr)) != nullptr; }, 3000));
            EXPECT_EQ(WindowText(help), LoadResourceText(topic->second));
            PostMessageA(help, WM_KEYDOWN, VK_ESCAPE, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(help); }, 3000));
        }
    }
    EXPECT_EQ(labels, 3);
}

// The keyboard as in every tabbed window, and Save As as in every save dialog: the
// focus in the name box, a typed name and Enter saving under that name.
TEST_F(MainWindow, TabKeysAndSaveAsFromTheKeyboard)
{
    Launch();
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    SetFocus(nullptr);
    PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(PageControl(IDC_GENERAL_BORDER)), TRUE);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(thread) == PageControl(IDC_GENERAL_BORDER); }, 3000));
    struct Step {
        std::initializer_list<WORD> keys;
        const char* page;
    };
    for (const Step& step : {Step{{VK_CONTROL, VK_NEXT}, "Captions"}, Step{{VK_CONTROL, VK_NEXT}, "Notes"},
                             Step{{VK_CONTROL, VK_NEXT}, "General"}, Step{{VK_CONTROL, VK_PRIOR}, "Notes"},
                             Step{{VK_CONTROL, VK_SHIFT, VK_TAB}, "Captions"}, Step{{VK_CONTROL, VK_TAB}, "Notes"}}) {
        PressKeys(step.keys);
        EXPECT_TRUE(WaitFor([&] { return ShownPage() == step.page; }, 3000)) << step.page << ": " << ShownPage();
    }
    // In the notes box Ctrl+Tab types a tab.
    ASSERT_TRUE(WaitFor([&] { return FocusOf(thread) == PageControl(IDC_NOTES_EDIT); }, 3000));
    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return WindowText(PageControl(IDC_NOTES_EDIT)) == "\t"; }, 3000));
    EXPECT_EQ(ShownPage(), "Notes");

    // Alt+S opens Save As with the focus in the name box; the name typed and Enter save.
    DeleteFileA(WindowsFile("screen.bmp").c_str());
    PressKeys({VK_MENU, 'S'});
    HWND dialog = Find("Save As", 0x47c);
    ASSERT_NE(dialog, nullptr);
    HWND focus = nullptr;  // the name box (0x47c) or the edit inside it
    ASSERT_TRUE(WaitFor([&] {
        focus = FocusOf(GetWindowThreadProcessId(dialog, nullptr));
        return GetDlgCtrlID(focus) == 0x47c || GetDlgCtrlID(GetParent(focus)) == 0x47c;
    }, 3000)) << "focus on control " << GetDlgCtrlID(focus);
    TypeKeys("screen");
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return FileExists(WindowsFile("screen.bmp")); }));
    ASSERT_TRUE(WaitFor([&] { return FileExists(WindowsFile("MurvexUI.INI")); }));
    const std::string settings = ReadWholeFile(WindowsFile("MurvexUI.INI"));
    EXPECT_NE(settings.find("Filename=screen.bmp"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("Captions=0"), std::string::npos) << settings;  // no letter went astray
    EXPECT_FALSE(FileExists(folder.File("MurvexUI.INI")));                // nor ticked the master box
    DeleteFileA(WindowsFile("screen.bmp").c_str());
}

// Over the size limit the preview says why; back within it, the picture returns. A
// margin the page would refuse is shown as the page accepts it.
TEST_F(MainWindow, PreviewSaysWhyThereIsNoWallpaper)
{
    const LOGFONTA wide = WidestAcceptedFont();
    WriteWholeFile(folder.File("MurvexUI.INI"), "[General]\r\nMargins=99999999\r\nColorSelect=2\r\nForegroundColor=255\r\n"
                                                "BackgroundColor=65280\r\nFont=" + EncodeBlock(&wide, sizeof wide) + "\r\n");
    Launch();
    EXPECT_EQ(WindowText(PageControl(IDC_GENERAL_MARGIN)), "100");
    auto shows = [&](COLORREF colour) {
        const std::vector<COLORREF> pixels = PreviewPixels();
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    };
    const COLORREF green = RGB(0, 255, 0);
    ASSERT_TRUE(WaitFor([&] { return shows(GetSysColor(COLOR_BTNTEXT)); }, 5000)) << "the reason, in text";
    EXPECT_FALSE(shows(green));
    SendMessageA(PageControl(IDC_GENERAL_CAPTIONS), BM_CLICK, 0, 0);  // the captions were too wide
    EXPECT_TRUE(WaitFor([&] { return shows(green); }, 5000)) << "the picture again";
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    auto& list = *reinterpret_cast<std::vector<MONITORINFO>*>(data);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        list.insert(list.begin(), info);
    else
        list.push_back(info);
    return TRUE;
}

// The monitors, the primary first.
std::vector<MONITORINFO> Monitors()
{
    std::vector<MONITORINFO> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::string Size(const RECT& r) { return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top); }

}  // namespace

// Run by tests/two-monitors.sh on a display of two monitors (the second right of or
// left of the primary): /info lists both, a first start outlines both sizes, and help
// asked for on the second monitor opens inside its work area.
TEST_F(MainWindow, TwoMonitors)
{
    if (!std::getenv("MURVEX_TWO_MONITORS")) GTEST_SKIP() << "only on two monitors (tests/two-monitors.sh)";
    const std::vector<MONITORINFO> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    const RECT second = monitors[1].rcMonitor, secondWork = monitors[1].rcWork;

    const std::string info = RunProgram(exe, "/info").out;
    EXPECT_NE(info.find("Monitors:\t" + Size(monitors[0].rcMonitor) + ", " + Size(second) + "\r\n"), std::string::npos)
        << info;

    WriteWholeFile(folder.File("MurvexUI.INI"), "[General]\r\nGrid=1\r\n");
    Launch();
    ClickTab(3);
    ASSERT_TRUE(WaitFor([&] { return ShownPage() == "Grid"; }, 3000));
    HWND list = PageControl(IDC_GRID_SIZES);
    for (const RECT& monitor : {monitors[0].rcMonitor, second}) {
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        int row = 0;
        std::string rows;
        for (; row < count; ++row) {
            wchar_t text[64] = L"";  // another process's list answers in wide characters (see engineering notes)
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
            const std::string narrow(text, text + wcslen(text));
            rows += narrow + "; ";
            if (narrow == Size(monitor)) break;
        }
        ASSERT_LT(row, count) << Size(monitor) << " in " << rows;
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0), 1) << Size(monitor) << " ticked";
    }

    SetWindowPos(main, nullptr, second.left + 40, second.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_HELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_MAIN_HELP)));
    HWND help = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (help = FindWindowA("MurvexHelpPopup", nullptr)) != nullptr; }));
    RECT popup = {};
    GetWindowRect(help, &popup);
    EXPECT_TRUE(popup.left >= secondWork.left && popup.right <= secondWork.right && popup.top >= secondWork.top &&
                popup.bottom <= secondWork.bottom)
        << popup.left << "," << popup.top << " " << popup.right << "," << popup.bottom;
    PostMessageA(help, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(help); }, 3000));

    // A message box opens on the window's monitor too.
    ClickTab(0);
    ASSERT_TRUE(WaitFor([&] { return ShownPage() == "General"; }, 3000));
    SendMessageA(PageControl(IDC_GENERAL_BORDER), BM_CLICK, 0, 0);
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = Find("MurvexUI", IDNO);
    ASSERT_NE(box, nullptr);
    RECT rect = {};
    GetWindowRect(box, &rect);
    EXPECT_TRUE(rect.left >= secondWork.left && rect.right <= secondWork.right) << rect.left << " " << rect.right;
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(Ended());
}
