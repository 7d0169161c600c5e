// Settings and identifying values into the wallpaper's design (the colour modes are the
// stored wallpapers' palettes).

#include <gtest/gtest.h>

#include <tuple>

#include "app/Unattended.h"
#include "app/WallpaperInputs.h"

TEST(Gathering, CaptionsAndNotes)
{
    WallpaperSettings settings;
    settings.general.font = MakeDefaultFont(96);
    CaptionValues values;
    values.item[CAPTION_MACHINE] = "HOST";
    values.item[CAPTION_OS] = "Some OS";
    values.item[CAPTION_LOCALE] = "English (United States)";
    values.item[CAPTION_IP_ADDRESS] = "10.1.2.3";
    values.item[CAPTION_USER] = "HOST\\jane";
    values.item[CAPTION_CPU] = "Some CPU (2 logical processors)";
    std::string captions, notes;
    const ScreenFacts screen = {{1024, 768}, 96, {{1024, 768}, {0, 0, 1024, 728}}};
    const CaptionLabels labels = LoadCaptionLabels();
    auto gather = [&] {
        const WallpaperInputs inputs = GatherWallpaperInputs(
            {settings.general, settings.captions, settings.notes, settings.grid, values, 0x808080, screen}, labels);
        captions = inputs.design.captionsText;
        notes = inputs.design.notesText;
    };
    gather();  // empty values left out, the address and the user off by default
    EXPECT_EQ(captions, "System Name:\tHOST\nOS Name:\tSome OS\nLocale:\tEnglish (United States)\n");
    EXPECT_FALSE(ShowsUsersOwnValues(settings.general, settings.captions));

    // The stored order, with the administrator's lines (a missing value draws nothing),
    // the later items ticked; the user's name or an environment variable makes the
    // wallpaper this user's own.
    settings.captions.custom = {{"Rack:", "text:R4", 1}, {"Site:", "env:MURVEX_NO_SUCH_VARIABLE", 1}, {"Off:", "env:USERNAME", 0}};
    values.custom = {"R4", "", "x"};
    settings.captions.enabled[CAPTION_CPU] = 1;
    settings.captions.order = ParseOrderText("Custom1,Locale,CPU,custom9,Machine,Bogus,Locale");
    EXPECT_EQ(OrderText(LineOrder(settings.captions)).substr(0, 36), "Custom1,Locale,CPU,Machine,OS,OSVers");
    gather();
    EXPECT_EQ(captions, "Rack:\tR4\nLocale:\tEnglish (United States)\nCPU:\tSome CPU (2 logical processors)\n"
                        "System Name:\tHOST\nOS Name:\tSome OS\n");
    EXPECT_TRUE(ShowsUsersOwnValues(settings.general, settings.captions));
    settings.captions.order = ParseOrderText("Custom2,Custom1,Locale");
    RemoveCustomLine(settings.captions, 0);  // the later lines move up and keep their places
    EXPECT_EQ(OrderText(LineOrder(settings.captions)).substr(0, 22), "Custom1,Locale,Machine");
    settings.captions.custom[0].shown = 0;  // unticked, a user's line is not on this wallpaper
    EXPECT_FALSE(ShowsUsersOwnValues(settings.general, settings.captions));
    settings.captions = CaptionSettings{};
    values.custom.clear();
    EXPECT_TRUE(IsDefaultOrder(settings.captions));

    // Ticked, the address and the user follow the six, one line each.
    settings.captions.enabled[CAPTION_IP_ADDRESS] = settings.captions.enabled[CAPTION_USER] = 1;
    settings.captions.enabled[CAPTION_OS] = 0;
    settings.notes.notes = "plain notes\r\nsecond line";
    gather();
    const std::string lines = "System Name:\tHOST\nLocale:\tEnglish (United States)\nIP Address:\t10.1.2.3\nUser:\tHOST\\jane\n";
    EXPECT_EQ(captions, lines);
    EXPECT_EQ(notes, "plain notes\r\nsecond line");

    // Notes with a TAB become further caption lines, CRs removed and one LF added.
    settings.notes.notes = "Owner:\tIT desk\r\nRoom:\t4.12";
    gather();
    EXPECT_EQ(captions, lines + "Owner:\tIT desk\nRoom:\t4.12\n");
    EXPECT_EQ(notes, "");
    settings.general.captions = settings.general.notes = 0;
    gather();
    EXPECT_EQ(captions + notes, "");

    // A font keeps its size in points on a screen of another resolution; the default font
    // (chosen at no resolution) is made for the screen already.
    for (const auto& [fontDpi, dpi, height] : {std::tuple{96, 192, -26}, {192, 192, -13}, {0, 192, -13}, {96, 96, -13},
                                               {144, 96, -9}}) {
        settings.general.font.lfHeight = -13;
        settings.general.fontDpi = fontDpi;
        const LOGFONTA drawn = GatherWallpaperInputs(
            {settings.general, settings.captions, settings.notes, settings.grid, values, 0x808080, {{1024, 768}, dpi, {}}}, labels)
                                   .design.font;
        EXPECT_EQ(drawn.lfHeight, height) << fontDpi << " at " << dpi;
    }
}

TEST(CommandLineParsing, RefreshWritesOnlyPlainBitmapNames)
{
    for (const char* name : {"Orvalin.bmp", "my wall.BMP", "Murvex32.INI.bmp", "console.bmp", "com10.bmp"})
        EXPECT_TRUE(IsWallpaperFileName(name)) << name;
    for (const char* name : {"", ".", "..", ".bmp", "..\\evil.bmp", "C:\\x.bmp", "sub/x.bmp", "\\\\server\\share\\x.bmp",
                             "x.bmp:stream", "win.ini", "notepad.exe", "Murvex32.INI", "x.bmp.", "x.bmp ", "NUL.bmp",
                             "con .bmp", "com1.bmp", "Lpt9.x.bmp"})
        EXPECT_FALSE(IsWallpaperFileName(name)) << name;
    EXPECT_EQ(EscapeControlBytes("a\r\nb\x1b%0d.bmp"), "a%0D%0Ab%1B%0d.bmp");
}
