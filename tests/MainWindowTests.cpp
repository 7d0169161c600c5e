// The program a user sees: the real exe started in Wine's virtual desktop and
// driven from outside as a user would.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "TestFiles.h"
#include "captions/CaptionItems.h"
#include "WindowTestSupport.h"
#include "resources/resource.h"
#include "settings/ProfileCodec.h"
#include "win/Handles.h"
#include "win/ResourceText.h"

namespace {

constexpr int NAME_BOX = 0x47c;  // the file dialog's file-name box

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
    // Started with `master` as the master settings file, when given.
    void Launch(const char* master = nullptr)
    {
        if (master) WriteWholeFile(folder.File("MurvexUI.INI"), master);
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
        HWND box = Find("MurvexUI", button);
        if (!box) return "<no message>";
        const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return text;
    }
    // Types `name` into the open Save As dialog and presses its OK button.
    void SaveAs(const std::string& name)
    {
        HWND dialog = Find("Save As", NAME_BOX);
        ASSERT_NE(dialog, nullptr);
        SendDlgItemMessageA(dialog, NAME_BOX, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }

    int TabCount() { return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); }
    // The pages shown: dialogs of the window's own.
    std::vector<HWND> VisiblePages()
    {
        std::vector<HWND> pages;
        for (HWND page = FindWindowExA(main, nullptr, "#32770", nullptr); page;
             page = FindWindowExA(main, page, "#32770", nullptr))
            if (IsWindowVisible(page)) pages.push_back(page);
        return pages;
    }
    HWND VisiblePage()
    {
        const std::vector<HWND> pages = VisiblePages();
        return pages.empty() ? nullptr : pages[0];
    }
    // The page shown, named by a control only it has.
    std::string ShownPage()
    {
        HWND page = VisiblePage();
        if (!page) return "none";
        if (GetDlgItem(page, IDC_GRID_SIZES)) return "Grid";
        if (GetDlgItem(page, IDC_CAPTIONS_LIST)) return "Captions";
        char name[16] = "";
        GetClassNameA(GetDlgItem(page, IDC_NOTES_EDIT), name, sizeof name);
        return lstrcmpiA(name, "Edit") == 0 ? "Notes" : "General";
    }
    HWND PageControl(int id) { return GetDlgItem(VisiblePage(), id); }
    // The preview's pixels as the screen shows them, in a coarse grid (or its row `row`
    // whole), from one copy of the screen (a pixel read from the screen is a trip to the
    // display).
    std::vector<COLORREF> PreviewPixels(int row = -1)
    {
        RECT rect = {};
        GetWindowRect(GetDlgItem(main, IDC_MAIN_PREVIEW), &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        const WindowDC screen(nullptr);
        const MemoryDC copy(CreateCompatibleDC(screen.Get()));
        const BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
        const SelectObjectScope selected(copy.Get(), bitmap.Get());
        BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
        std::vector<COLORREF> pixels;
        for (int y = row < 0 ? 2 : row; y < (row < 0 ? height : row + 1); y += 3)
            for (int x = row < 0 ? 2 : 0; x < width; x += row < 0 ? 3 : 1) pixels.push_back(GetPixel(copy.Get(), x, y));
        return pixels;
    }
    // A click on tab `index`, where a user's mouse would make it (the tab's rectangle is
    // asked for in the program's own memory); the page shown once the tab is selected.
    std::string ClickTab(int index)
    {
        RECT item = {};
        void* remote = VirtualAllocEx(process.hProcess, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
        SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process.hProcess, remote, &item, sizeof item, nullptr);
        VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tab, WM_LBUTTONUP, 0, at);
        // The page changes while the click is handled, before the tab answers the next message.
        WaitFor([&] { return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == index; }, 3000);
        return ShownPage();
    }
    HWND HelpPopup()
    {
        HWND help = nullptr;
        WaitFor([&] { return (help = FindWindowA("MurvexHelpPopup", nullptr)) != nullptr; }, 3000);
        return help;
    }
    bool CloseHelp(HWND help)
    {
        PostMessageA(help, WM_KEYDOWN, VK_ESCAPE, 0);
        return WaitFor([&] { return !IsWindow(help); }, 3000);
    }

    TempFolder folder;
    const std::string exe = CopyProgram(folder, "MurvexUI.exe");
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    HWND tab = nullptr;
};

}  // namespace

// Over the size limit the preview says why; back within it, the picture returns (a
// margin the page would refuse is shown as the page accepts it). Then the sections, the
// proportions double-click, and the close question.
TEST_F(MainWindow, PreviewReasonSectionsProportionsAndTheCloseQuestion)
{
    const std::string locked = folder.File("locked.bmp");
    WriteWholeFile(locked, "keep");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LOGFONTA wide = {};  // the largest font accepted, its glyphs as wide as allowed: captions too wide
    wide.lfHeight = -2184;
    wide.lfWidth = 2184;
    wide.lfWeight = FW_BOLD;
    lstrcpyA(wide.lfFaceName, "Arial");
    Launch(("[General]\r\nMargins=99999999\r\nColorSelect=2\r\nForegroundColor=255\r\nBackgroundColor=65280\r\nFont=" +
            EncodeBlock(&wide, sizeof wide) + "\r\n").c_str());
    EXPECT_EQ(WindowText(PageControl(IDC_GENERAL_MARGIN)), "100");
    auto shows = [&](COLORREF colour) {
        const std::vector<COLORREF> pixels = PreviewPixels();
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    };
    ASSERT_TRUE(WaitFor([&] { return shows(GetSysColor(COLOR_BTNTEXT)); }, 5000)) << "the reason, in text";
    EXPECT_FALSE(shows(RGB(0, 255, 0)));
    SendMessageA(PageControl(IDC_GENERAL_CAPTIONS), BM_CLICK, 0, 0);  // the captions were too wide
    EXPECT_TRUE(WaitFor([&] { return shows(RGB(0, 255, 0)); }, 5000)) << "the picture again";

    EXPECT_TRUE(WaitFor([&] { return TabCount() == 2; }, 2000));  // no captions, no Captions tab
    SendMessageA(PageControl(IDC_GENERAL_GRID), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return TabCount() == 3; }, 2000));
    EXPECT_EQ(ClickTab(2), "Grid");  // after Notes (every change's order: SectionTabEdits' table)

    // A note typed.
    ASSERT_EQ(ClickTab(1), "Notes");
    for (char c : std::string("Rack 4, slot 2")) PostMessageA(PageControl(IDC_NOTES_EDIT), WM_CHAR, c, 0);

    // A double-click on the left edge fits the preview to the wallpaper's proportions.
    RECT was = {}, now = {};
    GetWindowRect(main, &was);
    was.left -= 300;  // wider than its minimum, so there is room to narrow it
    SetWindowPos(main, nullptr, was.left, was.top, was.right - was.left, was.bottom - was.top, SWP_NOZORDER);
    PostMessageA(main, WM_NCLBUTTONDBLCLK, HTLEFT, 0);
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(main, &now) && now.left != was.left; }));
    EXPECT_EQ(now.right, was.right);

    // Changed and not saved: closing asks. Yes, then a file another program holds open:
    // told why, and the window stays.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDYES), "Do you want to save changes to the wallpaper?");
    SaveAs(locked);
    // The file dialog asks before replacing a file (its title is the system's).
    if (HWND replace = Find(nullptr, IDYES, 3000)) PostMessageA(replace, WM_COMMAND, IDYES, 0);
    const std::string failure = Answer(IDOK);
    EXPECT_EQ(failure.rfind("The wallpaper could not be written to " + locked + ".", 0), 0u) << failure;
    EXPECT_FALSE(Ended(1000));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(locked), "keep");
    // No closes without saving.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDNO), "Do you want to save changes to the wallpaper?");
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(IsFile(WindowsFile("MurvexUI.INI")));
}

// The first click of a fresh window on any tab shows that page and no other, where the
// General page lies (inside the tab control) although the window was resized before the
// page was made.
TEST_F(MainWindow, FirstClickOnAnyTabShowsThatPageAloneAndLabelsGiveTheirHelp)
{
    const char* const pages[] = {"General", "Captions", "Notes", "Grid"};
    const int controls[] = {0, IDC_CAPTIONS_VALUE, IDC_NOTES_EDIT, IDC_GRID_SIZES};  // one that answers
    for (int index = 1; index < 4; ++index) {
        SCOPED_TRACE(pages[index]);
        Stop();
        Launch("[General]\r\nGrid=1\r\n");
        ASSERT_EQ(TabCount(), 4);
        HWND general = VisiblePage();
        RECT window = {}, generalRect = {}, pageRect = {};
        GetWindowRect(main, &window);
        SetWindowPos(main, nullptr, 0, 0, window.right - window.left + 240, window.bottom - window.top + 160,
                     SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(ClickTab(index), pages[index]);
        EXPECT_EQ(VisiblePages().size(), 1u);
        GetWindowRect(general, &generalRect);
        GetWindowRect(VisiblePage(), &pageRect);
        EXPECT_TRUE(EqualRect(&generalRect, &pageRect)) << pageRect.left << "," << pageRect.top << " against "
                                                        << generalRect.left << "," << generalRect.top;
        RECT tabArea = {}, preview = {};  // the page inside the tab control, above the preview
        GetWindowRect(tab, &tabArea);
        GetWindowRect(GetDlgItem(main, IDC_MAIN_PREVIEW), &preview);
        EXPECT_LT(pageRect.bottom, tabArea.bottom);
        EXPECT_LT(tabArea.bottom, preview.top);
        HWND control = PageControl(controls[index]);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsWindowEnabled(control));
        if (controls[index] == IDC_GRID_SIZES) {
            EXPECT_GE(SendMessageA(control, LB_GETCOUNT, 0, 0), 7);  // the common sizes
            continue;
        }
    }

    // Then, on every page, a right-click on a label shows the help of the control it names.
    const std::map<std::string, UINT> topics = {
        {"&Margin:", IDS_HELP_MARGIN}, {"&Position:", IDS_HELP_POSITION}, {"&Screen sizes:", IDS_HELP_SIZES},
        {"&Line size:", IDS_HELP_LINE_SIZE}, {"&Lines:", IDS_HELP_CAPTION_LINES}, {"&Value:", IDS_HELP_CAPTION_VALUE}};
    int labels = 0;
    for (int index = 0; index < 4; ++index) {
        ASSERT_EQ(ClickTab(index), pages[index]);
        HWND page = VisiblePage();
        for (HWND label = FindWindowExA(page, nullptr, "Static", nullptr); label;
             label = FindWindowExA(page, label, "Static", nullptr)) {
            const std::string text = WindowText(label);
            if (text.empty() || GetDlgCtrlID(label) != IDC_STATIC_LABEL) continue;
            SCOPED_TRACE(text);
            ++labels;
            ASSERT_EQ(topics.count(text), 1u) << "a label without an expected topic";
            RECT rect = {};
            GetWindowRect(label, &rect);
            PostMessageA(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page),
                         MAKELPARAM(rect.left + 3, (rect.top + rect.bottom) / 2));
            HWND help = HelpPopup();
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(WindowText(help), LoadResourceText(topics.at(text)));
            ASSERT_TRUE(CloseHelp(help));
        }
    }
    EXPECT_EQ(labels, static_cast<int>(topics.size()));  // every label met, each once
}

// The keyboard as in every tabbed window, and Save As as in every save dialog: the
// focus in the name box, a typed name and Enter saving under that name, another
// extension refused; the wallpaper written and installed, only what differs kept.
TEST_F(MainWindow, TabKeysAndSaveAsFromTheKeyboard)
{
    Launch("[Notes]\r\nNotes=Rack 4\r\n");
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    // Tab from Help reaches the preview, which shows that it has the focus.
    HWND preview = GetDlgItem(main, IDC_MAIN_PREVIEW);
    PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(main, IDC_MAIN_HELP)), TRUE);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(thread) == GetDlgItem(main, IDC_MAIN_HELP); }, 3000));
    std::vector<COLORREF> unfocused;  // once the first preview is painted and stays
    ASSERT_TRUE(WaitFor([&] {
        unfocused = PreviewPixels(1);
        Sleep(300);
        return PreviewPixels(1) == unfocused;
    }, 5000));
    PressKeys({VK_TAB});
    ASSERT_TRUE(WaitFor([&] { return FocusOf(thread) == preview; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return PreviewPixels(1) != unfocused; }, 3000)) << "no focus rectangle";
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
    // Arrived by keyboard, the notes box has its caret at the end and nothing selected, and
    // Ctrl+Tab types a tab there.
    HWND notes = PageControl(IDC_NOTES_EDIT);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(thread) == notes; }, 3000));
    EXPECT_EQ(SendMessageA(notes, EM_GETSEL, 0, 0), MAKELRESULT(6, 6));
    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return WindowText(notes) == "Rack 4\t"; }, 3000)) << WindowText(notes);
    EXPECT_EQ(ShownPage(), "Notes");

    // Alt+S opens Save As: the proposed name, the three choices, the focus in the name box.
    const std::string written = WindowsFile("screen.bmp");
    DeleteFileA(written.c_str());
    PressKeys({VK_MENU, 'S'});
    HWND dialog = Find("Save As", NAME_BOX);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, NAME_BOX)), "Orvalin.bmp");
    HWND choices = FindWindowExA(dialog, nullptr, "#32770", nullptr);
    for (auto [id, state] : {std::pair{IDC_SAVEAS_SET_WALLPAPER, BST_CHECKED}, {IDC_SAVEAS_SAVE_SETTINGS, BST_CHECKED},
                             {IDC_SAVEAS_SAVE_MASTER, BST_UNCHECKED}})
        EXPECT_EQ(SendDlgItemMessageA(choices, id, BM_GETCHECK, 0, 0), state) << id;
    HWND focus = nullptr;  // the name box or the edit inside it
    ASSERT_TRUE(WaitFor([&] {
        focus = FocusOf(GetWindowThreadProcessId(dialog, nullptr));
        return GetDlgCtrlID(focus) == NAME_BOX || GetDlgCtrlID(GetParent(focus)) == NAME_BOX;
    }, 3000)) << "focus on control " << GetDlgCtrlID(focus);
    // Another extension is refused and what was typed comes back to be corrected; without
    // one, ".bmp" is added.
    for (char c : std::string("screen.jpg")) PressKeys({LOBYTE(VkKeyScanA(c))});  // no Shift needed
    PressKeys({VK_RETURN});
    EXPECT_EQ(Answer(IDOK), "You must specify a .bmp extension.");
    dialog = Find("Save As", NAME_BOX);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, NAME_BOX)), "screen.jpg");
    SaveAs("screen.");  // Windows would drop the dot: the file is screen.bmp

    // The settings are written key by key (each write rewrites the file): the grid's list is the last.
    std::string settings;
    ASSERT_TRUE(WaitFor([&] {
        return (settings = ReadWholeFile(WindowsFile("MurvexUI.INI"))).find("GridArray=") != std::string::npos;
    }));
    EXPECT_EQ(ReadWholeFile(written).substr(0, 2), "BM");  // its pixels are the unattended tests' concern
    DeleteFileA(written.c_str());
    EXPECT_EQ(lstrcmpiA(DesktopValue("Wallpaper").c_str(), written.c_str()), 0) << DesktopValue("Wallpaper");
    EXPECT_NE(settings.find("Filename=screen.bmp"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("Captions=0"), std::string::npos) << settings;  // no letter went astray
    EXPECT_EQ(ReadWholeFile(folder.File("MurvexUI.INI")), "[Notes]\r\nNotes=Rack 4\r\n");  // nor ticked the master box

    // Nothing changed since: closing asks nothing.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended());
}

// What an administrator set by policy shows as it is set, greyed, and says so when asked;
// a caption line set so keeps its tick.
TEST_F(MainWindow, PolicySettingsAreShownGreyed)
{
    const std::string root = "SOFTWARE\\Policies\\Murvex";
    const DWORD on = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, (root + "\\General").c_str(), "Border", REG_DWORD, &on, sizeof on);
    RegSetKeyValueA(HKEY_CURRENT_USER, (root + "\\Captions").c_str(), "CPU", REG_DWORD, &on, sizeof on);
    Launch();
    RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
    HWND border = PageControl(IDC_GENERAL_BORDER);
    EXPECT_FALSE(IsWindowEnabled(border));
    EXPECT_EQ(SendMessageA(border, BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT rect = {};
    GetWindowRect(border, &rect);
    PostMessageA(VisiblePage(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(VisiblePage()), MAKELPARAM(rect.left + 3, rect.top + 3));
    HWND help = HelpPopup();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(WindowText(help), LoadResourceText(IDS_HELP_BORDER) + "\n\n" + LoadResourceText(IDS_HELP_SET_BY_POLICY));
    ASSERT_TRUE(CloseHelp(help));
    ASSERT_EQ(ClickTab(1), "Captions");
    HWND list = PageControl(IDC_CAPTIONS_LIST);
    const auto cpuTicked = [&] { return SendMessageA(list, LVM_GETITEMSTATE, CAPTION_CPU, LVIS_STATEIMAGEMASK) >> 12 == 2; };
    EXPECT_TRUE(cpuTicked());
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    for (int row = 0; row < CAPTION_CPU; ++row) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    Sleep(200);
    EXPECT_TRUE(cpuTicked());
}

namespace {

std::string Size(const RECT& r) { return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top); }

MONITORINFO MonitorAt(POINT point)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    return info;
}

}  // namespace

// Run by tests/two-monitors.sh on a display of two monitors (the second right of or
// left of the primary): /info lists both (as the Grid page finds them), and help asked
// for on the second monitor opens inside its work area.
TEST_F(MainWindow, TwoMonitors)
{
    if (!std::getenv("MURVEX_TWO_MONITORS")) GTEST_SKIP() << "only on two monitors (tests/two-monitors.sh)";
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
    const RECT primary = MonitorAt({0, 0}).rcMonitor, second = MonitorAt({left < 0 ? left : right, 0}).rcMonitor,
               secondWork = MonitorAt({second.left, second.top}).rcWork;

    const std::string info = RunProgram(exe, "/info").out;
    EXPECT_NE(info.find("Monitors:\t" + Size(primary) + ", " + Size(second) + "\r\n"), std::string::npos) << info;

    Launch();
    SetWindowPos(main, nullptr, second.left + 40, second.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageA(GetDlgItem(main, IDC_MAIN_HELP), BM_CLICK, 0, 0);
    HWND help = HelpPopup();
    ASSERT_NE(help, nullptr);
    RECT rect = {}, both = {};
    GetWindowRect(help, &rect);
    UnionRect(&both, &rect, &secondWork);
    EXPECT_TRUE(EqualRect(&both, &secondWork)) << rect.left << "," << rect.top << " " << rect.right << "," << rect.bottom;
}
