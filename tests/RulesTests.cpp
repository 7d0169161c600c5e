// Pure rules of the window and the unattended runs, row by row: the proportions
// double-click and page placement, the stored-font check, the desktop's text colour,
// the path a file is written under, and the command line.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/CommandLine.h"
#include "app/LockScreen.h"
#include "app/MainLayout.h"
#include "app/WallpaperInputs.h"
#include "dialogs/ContextHelp.h"
#include "render/BitmapFile.h"
#include "settings/WallpaperSettings.h"
#include "win/Placement.h"
#include "win/SystemPaths.h"

namespace {

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

// A 1024 x 768 wallpaper in a 400 x 200 preview scales to 266 x 200: a double-click on
// the left edge moves it 134 pixels right; every edge and corner, and the limits.
TEST(MainLayout, ProportionsDoubleClickOnEveryEdgeAndCorner)
{
    const RECT window = {100, 100, 700, 500}, screen = {0, 0, 1280, 1024};
    const SIZE preview = {400, 200}, wallpaper = {1024, 768}, minTrack = {300, 200};
    struct Case {
        int hitTest;
        RECT expected;
        int first, second;
    };
    for (const Case& c : {Case{HTLEFT, {234, 100, 700, 500}, 0, 0}, Case{HTRIGHT, {100, 100, 566, 500}, 0, 0},
                          Case{HTTOP, {100, 0, 700, 500}, 0, 0},  // 400 wide: 300 high, 100 more
                          Case{HTBOTTOM, {100, 100, 700, 600}, 0, 0},
                          // Corners: two edges, the one across the wallpaper's longer way last.
                          Case{HTTOPLEFT, window, HTTOP, HTLEFT}, Case{HTTOPRIGHT, window, HTTOP, HTRIGHT},
                          Case{HTBOTTOMLEFT, window, HTBOTTOM, HTLEFT}, Case{HTBOTTOMRIGHT, window, HTBOTTOM, HTRIGHT},
                          Case{HTCAPTION, window, 0, 0}}) {
        const ProportionsFit fit = FitProportions(c.hitTest, window, preview, wallpaper, screen, minTrack);
        EXPECT_EQ(Text(fit.window), Text(c.expected)) << c.hitTest;
        EXPECT_EQ(fit.followUps[0], c.first) << c.hitTest;
        EXPECT_EQ(fit.followUps[1], c.second) << c.hitTest;
    }
    // A wide wallpaper takes the horizontal edge first.
    EXPECT_EQ(FitProportions(HTTOPLEFT, window, preview, {2000, 200}, screen, minTrack).followUps[0], HTLEFT);
    // Limits: the minimum width, the work area, and no wallpaper at all.
    EXPECT_EQ(FitProportions(HTLEFT, window, preview, wallpaper, screen, {500, 200}).window.left, 200);
    EXPECT_EQ(FitProportions(HTRIGHT, window, preview, {2000, 200}, screen, minTrack).window.right, 1280);
    EXPECT_EQ(FitProportions(HTTOP, window, preview, {400, 800}, {0, 50, 1280, 1024}, minTrack).window.top, 50);
    EXPECT_EQ(FitProportions(HTBOTTOM, window, preview, {400, 800}, screen, minTrack).window.bottom, 1024);
    EXPECT_EQ(Text(FitProportions(HTLEFT, window, preview, {0, 0}, screen, minTrack).window), Text(window));
    EXPECT_EQ(Text(FitProportions(HTLEFT, window, {0, 0}, wallpaper, screen, minTrack).window), Text(window));
}

// Section boxes to tabs: the tabs present and the sections on give the edits; the tabs
// that stay are kept. Pages: 1 Captions, 2 Notes, 3 Grid.
TEST(MainLayout, SectionsGiveTheirTabsInOrder)
{
    struct Case {
        std::vector<int> present;
        bool on[3];
        const char* edits;  // "+index page" inserts, "-index" deletes
    };
    const Case cases[] = {
        {{}, {true, true, false}, "+1 1 +2 2 "},          // the first start
        {{1, 2}, {true, true, true}, "+3 3 "},             // Grid ticked: after Notes
        {{1, 2, 3}, {true, false, true}, "-2 "},           // Notes off: Grid stays, moves up
        {{1, 3}, {true, true, true}, "+2 2 "},             // Notes back between the two
        {{1, 2, 3}, {false, false, false}, "-1 -1 -1 "},   // all off: General alone
        {{2}, {true, true, false}, "+1 1 "},               // Captions back before Notes
        {{1, 2, 3}, {true, true, true}, ""},               // nothing to do
    };
    for (const Case& c : cases) {
        std::string edits;
        for (const TabEdit& edit : SectionTabEdits(c.present, c.on))
            edits += edit.kind == TabEdit::Insert ? "+" + std::to_string(edit.index) + " " + std::to_string(edit.page) + " "
                                                  : "-" + std::to_string(edit.index) + " ";
        EXPECT_EQ(edits, c.edits) << c.present.size() << " tabs present";
    }
}

TEST(MainLayout, PagesSitCentredInTheTabControl)
{
    const RECT tab = {10, 20, 410, 320}, main = {0, 0, 500, 400};
    EXPECT_EQ(PageOrigin(tab, main, {380, 250}, true).x, 100);  // mirrored: counted from the right
    EXPECT_EQ(FittedPageWidth(tab, {20, 60, 200, 300}), 380);
}

// Windows and popups keep to the monitor they are on, also left of or above the
// primary (negative coordinates); on the primary nothing changes.
TEST(Placement, KeptOnTheirOwnMonitor)
{
    const RECT primary = {0, 0, 1920, 1040}, left = {-1280, 0, 0, 984}, above = {0, -1024, 1280, -40};
    struct Case {
        RECT owner, workArea;
        POINT centred;
    };
    for (const Case& c : {Case{{100, 100, 700, 500}, primary, {300, 250}},
                          Case{{-1200, 100, -600, 500}, left, {-1000, 250}},
                          Case{{-300, 100, 300, 500}, left, {-200, 250}},  // straddling: kept inside its monitor
                          Case{{100, -900, 700, -500}, above, {300, -750}},
                          Case{{100, -200, 700, 200}, above, {300, -140}}}) {
        const POINT at = CentredOver(c.owner, {200, 100}, c.workArea);
        EXPECT_EQ(at.x, c.centred.x) << c.owner.left << "," << c.owner.top;
        EXPECT_EQ(at.y, c.centred.y) << c.owner.left << "," << c.owner.top;
    }
    // A help popup near the right edge of a monitor left of the primary stays on it.
    const POINT popup = PlaceHelpPopup(-10, 500, 300, 80, left);
    EXPECT_EQ(popup.x, -300);
    EXPECT_EQ(popup.y, 500);
    EXPECT_EQ(PlaceHelpPopup(600, -60, 300, 80, above).y, -140);  // above the point: no room below
}

// A box of 300 x 100 in each corner of a 1920 x 1080 monitor's work area, wherever the
// task bar is docked and however high: never under it, never off the monitor.
TEST(Placement, CornersOfTheWorkArea)
{
    const SIZE box = {300, 100};
    struct Case {
        RECT workArea;
        int position;
        POINT corner;
    };
    for (const Case& c : {Case{{0, 0, 1920, 1040}, 1, {0, 0}}, Case{{0, 0, 1920, 1040}, 2, {1620, 0}},
                          Case{{0, 0, 1920, 1040}, 3, {0, 940}}, Case{{0, 0, 1920, 1040}, 4, {1620, 940}},
                          Case{{0, 0, 1920, 960}, 4, {1620, 860}},      // a task bar of two rows
                          Case{{0, 48, 1920, 1080}, 2, {1620, 48}},     // at the top
                          Case{{62, 0, 1920, 1080}, 3, {62, 980}},      // at the left
                          Case{{0, 0, 1858, 1080}, 2, {1558, 0}},       // at the right
                          Case{{0, 0, 1920, 1080}, 5, {810, 490}},      // centred: the lock screen's
                          Case{{0, 0, 200, 80}, 4, {0, 0}}}) {          // a box larger than the area
        const POINT corner = CornerOf(c.workArea, box, c.position);
        EXPECT_EQ(corner.x, c.corner.x) << c.position << " in " << Text(c.workArea);
        EXPECT_EQ(corner.y, c.corner.y) << c.position << " in " << Text(c.workArea);
    }
}

TEST(StoredFont, OnlyWhatTheFontDialogCouldHaveMade)
{
    struct Case {
        LONG height, width, weight;
        const char* face;  // 32 letters: no terminator
        int dpi;
        bool usable;
    };
    const std::string noEnd(LF_FACESIZE, 'A');
    for (const Case& c : {Case{-13, 0, 700, "Arial", 96, true}, Case{-2184, 0, 400, "Arial", 96, true},
                          Case{2184, 2184, 400, "Arial", 96, true}, Case{-2185, 0, 400, "Arial", 96, false},
                          Case{-13, 2185, 400, "Arial", 96, false}, Case{-2730, 0, 400, "Arial", 120, true},
                          Case{-2731, 0, 400, "Arial", 120, false}, Case{INT32_MIN, 0, 400, "Arial", 96, false},
                          Case{-13, 0, 0, "Arial", 96, true}, Case{-13, 0, 1000, "Arial", 96, true},
                          Case{-13, 0, -1, "Arial", 96, false}, Case{-13, 0, 1001, "Arial", 96, false},
                          Case{-13, 0, 400, "", 96, false}, Case{-13, 0, 400, "Ar\x01ial", 96, false},
                          Case{-13, 0, 400, "Ar\x7fial", 96, false}, Case{-13, 0, 400, "Caf\xe9", 96, true},
                          Case{-13, 0, 400, noEnd.c_str(), 96, false}}) {
        LOGFONTA font = {};
        font.lfHeight = c.height;
        font.lfWidth = c.width;
        font.lfWeight = c.weight;
        std::string(c.face).copy(font.lfFaceName, LF_FACESIZE);
        EXPECT_EQ(IsUsableFont(font, c.dpi), c.usable) << c.height << " " << c.width << " " << c.weight << " " << c.dpi;
    }
}

// White on a dark desktop, black on a light one: 4 R + 10 G + 2 B against 2050.
TEST(SystemColours, TextColourForTheDesktop)
{
    struct Case {
        COLORREF desktop, text;
    };
    for (const Case& c : {Case{RGB(0, 0, 0), WHITE_COLOR}, Case{RGB(255, 255, 255), BLACK_COLOR},
                          Case{RGB(0, 204, 0), WHITE_COLOR}, Case{RGB(0, 205, 0), BLACK_COLOR},
                          Case{RGB(255, 102, 0), WHITE_COLOR}, Case{RGB(255, 103, 0), BLACK_COLOR},
                          Case{RGB(0, 0, 255), WHITE_COLOR}, Case{RGB(58, 110, 165), WHITE_COLOR}})
        EXPECT_EQ(SystemForegroundFor(c.desktop), c.text) << std::hex << c.desktop;
}

TEST(WritePath, RelativeDriveRelativeLongShareAndDeviceNames)
{
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring here = current;
    EXPECT_EQ(FullWritePath(L"C:\\Windows\\wall.bmp"), L"C:\\Windows\\wall.bmp");
    EXPECT_EQ(FullWritePath(L"wall.bmp"), here + (here.back() == L'\\' ? L"" : L"\\") + L"wall.bmp");
    const std::wstring driveRelative = FullWritePath(std::wstring(1, here[0]) + L":wall.bmp");
    EXPECT_EQ(driveRelative.substr(0, 3), here.substr(0, 2) + L"\\");
    EXPECT_EQ(driveRelative.substr(driveRelative.size() - 9), L"\\wall.bmp");
    EXPECT_EQ(FullWritePath(L"\\\\server\\share\\wall.bmp"), L"\\\\server\\share\\wall.bmp");
    const std::wstring deep(300, L'd');
    EXPECT_EQ(FullWritePath(L"C:\\" + deep + L"\\wall.bmp"), L"\\\\?\\C:\\" + deep + L"\\wall.bmp");
    EXPECT_EQ(FullWritePath(L"\\\\server\\share\\" + deep + L"\\wall.bmp"),
              L"\\\\?\\UNC\\server\\share\\" + deep + L"\\wall.bmp");
    EXPECT_EQ(FullWritePath(L"\\\\?\\C:\\" + deep), L"\\\\?\\C:\\" + deep);  // already lifted

    // Names Windows keeps for devices, whatever their extension.
    for (const char* name : {"CON", "con.bmp", "NUL.bmp", "nul", "Aux.txt", "PRN.bmp", "COM1", "com9.bmp", "LPT1.x.bmp",
                             "con .bmp", "NUL  "})
        EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    for (const char* name : {"console.bmp", "com10.bmp", "com0.bmp", "nul_.bmp", "CONx", "my con.bmp", "", ".bmp"})
        EXPECT_FALSE(IsReservedDeviceName(name)) << name;

    // Names ending in dots and blanks, which Windows drops: left without an extension, they get one.
    const std::pair<const char*, const char*> trimmed[] = {
        {"C:\\w\\trail.", "C:\\w\\trail.bmp"}, {"trail. . ", "trail.bmp"}, {"x.jpg.", "x.jpg"},
        {"a.b\\trail ", "a.b\\trail.bmp"},      {"wall.bmp", "wall.bmp"},      {"plain", "plain"},
        {"C:\\w\\...", "C:\\w\\..."},            {"dir.\\x..", "dir.\\x.bmp"}};
    for (const auto& [given, written] : trimmed) EXPECT_EQ(WithoutTrailingDots(given, "bmp"), written) << given;
}

TEST(CommandLineParsing, SwitchesAndTheirArguments)
{
    using Mode = CommandLine::Mode;
    struct Case {
        std::vector<std::string> args;
        Mode mode;
        const char* file;
        bool allOrOff = false;  // the word after /install, /uninstall or /lockscreen
    };
    for (const Case& c : {Case{{}, Mode::Window, ""}, Case{{"/refresh"}, Mode::Refresh, ""},
                          Case{{"-REFRESH"}, Mode::Refresh, ""}, Case{{"/Info"}, Mode::Info, ""},
                          Case{{"/save", "C:\\x y.bmp"}, Mode::Save, "C:\\x y.bmp"}, Case{{"-SAVE", "a"}, Mode::Save, "a"},
                          Case{{"/save"}, Mode::Invalid, ""}, Case{{"/save", ""}, Mode::Invalid, ""},
                          Case{{"/refresh", "extra"}, Mode::Invalid, ""}, Case{{"/save", "a", "b"}, Mode::Invalid, ""},
                          Case{{"refresh"}, Mode::Invalid, ""}, Case{{"/"}, Mode::Invalid, ""},
                          Case{{"/refreshed"}, Mode::Invalid, ""}, Case{{"--refresh"}, Mode::Invalid, ""},
                          Case{{"/install"}, Mode::Install, ""}, Case{{"-INSTALL", "All"}, Mode::Install, "", true},
                          Case{{"/uninstall"}, Mode::Uninstall, ""}, Case{{"/uninstall", "all"}, Mode::Uninstall, "", true},
                          Case{{"/install", "everyone"}, Mode::Invalid, ""},
                          Case{{"/install", "all", "x"}, Mode::Invalid, ""}, Case{{"/lockscreen"}, Mode::LockScreen, ""},
                          Case{{"-LockScreen", "OFF"}, Mode::LockScreen, "", true},
                          Case{{"/lockscreen", "on"}, Mode::Invalid, ""}}) {
        const CommandLine line = ParseCommandLine(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(line.mode, c.mode) << shown;
        EXPECT_EQ(line.file, c.file) << shown;
        EXPECT_EQ(line.error.empty(), c.mode != Mode::Invalid) << shown;
        EXPECT_EQ(line.allUsers || line.off, c.allOrOff) << shown;
    }
}

TEST(LockScreen, SizeAndFileNumbers)
{
    const SIZE primary = {2560, 1440}, small = {1024, 768}, tall = {1080, 1920};
    struct Case {
        bool realMonitor;
        std::vector<StoredDisplayMode> stored;
        LONG width;
        const char* source;
    };
    for (const Case& c : {Case{true, {{true, small}}, 2560, "the primary monitor"},
                          Case{false, {{false, tall}, {true, small}}, 1024, "the primary display's stored mode"},
                          Case{false, {{false, small}, {false, tall}, {true, {0, 0}}}, 1080, "the largest display's stored mode"},
                          Case{false, {}, 1920, "no display known"}}) {
        const LockScreenSize chosen = ChooseLockScreenSize(c.realMonitor, primary, c.stored);
        EXPECT_EQ(chosen.size.cx, c.width) << c.source;
        EXPECT_EQ(chosen.source, c.source);
    }
    EXPECT_EQ(ChooseLockScreenSize(true, {0, 0}, {}).source, "no display known");
    for (const auto& [name, number] : std::vector<std::pair<const char*, unsigned>>{
             {"LockScreen-1.png", 1}, {"lockscreen-42.PNG", 42}, {"LockScreen-.png", 0}, {"LockScreen-1x.png", 0},
             {"LockScreen-1.png.tmp", 0}, {"LockScreen-99999999999.png", 0}, {"Other-3.png", 0}})
        EXPECT_EQ(LockScreenFileNumber(name), number) << name;
}
