// Settings, identifying values and desktop colour into the renderer's inputs.

#include <gtest/gtest.h>

#include <tuple>

#include "app/CommandLine.h"
#include "app/Unattended.h"
#include "app/WallpaperInputs.h"

namespace {

class Gathering : public ::testing::Test {
protected:
    Gathering()
    {
        settings.general.font = MakeDefaultFont(96);
        values.machineName = "HOST";
        values.osName = "Some OS";
        values.locale = "English (United States)";
        LoadCaptionLabels(labels);
    }
    void Gather(COLORREF desktop = 0x808080)
    {
        GatherRendererInputs({settings.general, settings.captions, settings.notes, settings.grid, values, desktop},
                             labels, renderer);
    }

    WallpaperSettings settings;
    CaptionValues values;
    std::string labels[CAPTION_COUNT];
    WallpaperRenderer renderer;
};

}  // namespace

TEST_F(Gathering, ColourModes)
{
    settings.general.foregroundColor = 0x112233;
    settings.general.backgroundColor = 0x445566;
    const COLORREF desktop = 0x0000FF;  // red: white text in System mode
    for (const auto& [mode, fore, back] : std::vector<std::tuple<int, COLORREF, COLORREF>>{
             {COLOR_MODE_SYSTEM, WHITE_COLOR, desktop},
             {COLOR_MODE_REVERSED, desktop, WHITE_COLOR},
             {COLOR_MODE_CUSTOM, 0x112233, 0x445566},
             {-1, 0x112233, 0x445566}}) {
        settings.general.colorSelect = mode;
        Gather(desktop);
        EXPECT_EQ(renderer.foreColor, fore) << mode;
        EXPECT_EQ(renderer.backColor, back) << mode;
    }
}

TEST_F(Gathering, CaptionsAndNotes)
{
    Gather();
    EXPECT_EQ(renderer.captionsText,
              "System Name:\tHOST\nOS Name:\tSome OS\nLocale:\tEnglish (United States)\n");  // empty values left out
    settings.captions.enabled[CAPTION_OS] = 0;
    settings.notes.notes = "plain notes\r\nsecond line";
    Gather();
    EXPECT_EQ(renderer.captionsText, "System Name:\tHOST\nLocale:\tEnglish (United States)\n");
    EXPECT_EQ(renderer.notesText, "plain notes\r\nsecond line");

    // Notes with a TAB become further caption lines, CRs removed and one LF added.
    settings.notes.notes = "Owner:\tIT desk\r\nRoom:\t4.12";
    Gather();
    EXPECT_EQ(renderer.captionsText,
              "System Name:\tHOST\nLocale:\tEnglish (United States)\nOwner:\tIT desk\nRoom:\t4.12\n");
    EXPECT_EQ(renderer.notesText, "");

    settings.general.captions = 0;
    settings.general.notes = 0;
    Gather();
    EXPECT_EQ(renderer.captionsText, "");
    EXPECT_EQ(renderer.notesText, "");
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
