// The wallpaper's geometry: the wrap model against DrawText, caption widths past 16 bits,
// words wider than the notes column, and sizes that cannot be made (the pixels are the
// stored wallpapers').

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "RenderTestSupport.h"
#include "TestFiles.h"
#include "render/NotesLayout.h"
#include "settings/ScreenSizeList.h"

namespace {

class RendererLayout : public ::testing::Test {
protected:
    RendererLayout() { PlainInputs(design); }
    WallpaperDesign design;
    WallpaperRenderer renderer;
    Measure measure;
};

// Plain words, none with a hyphen or bracket: text the wrap model follows.
std::string Words(size_t length, size_t seed)
{
    static const char* const words[] = {"machine", "wallpaper", "network,", "the", "of", "support", "desk.",
                                        "identification", "a", "configuration;", "it's", "\"notes\"", "and", "to"};
    std::string text;
    for (size_t i = seed; text.size() < length; ++i) text += std::string(words[(i * 7 + i / 3) % 14]) + " ";
    return text.substr(0, length);
}

}  // namespace

// Texts that stress wrapping: long words wider than the block, runs of blanks, empty
// lines, lone CRs and LFs, lines longer than DrawText's line buffer, 4,095 characters.
TEST(WrapModel, MakesTheBlockDrawTextMakesAtEveryWidth)
{
    Measure measure;
    for (const std::string& text : {
             Words(4000, 0),
             std::string(300, 'W') + " tail " + Words(500, 1) + " " + std::string(120, 'm') + "  " + Words(300, 2),
             "a  b   c    d     e      f" + std::string(40, ' ') + Words(900, 3) + std::string(25, ' '),
             "\r\n\r\nfirst\r\n\r\n\r\n" + Words(700, 4) + "\r\n" + Words(90, 5) + "\r\n\r\n",
             "one\rtwo\n\rthree\n\nfour\r\rfive\n" + Words(1200, 6) + "\n",
             "word ,next ; x: y . z \"quoted\" it's " + Words(1500, 7),
             Words(4095, 8),
         }) {
        const WrapModel model(measure.Dc(), text);
        ASSERT_TRUE(model.Usable()) << text.substr(0, 40);
        const RECT natural = measure.Calc(text, RECT{0, 0, 0, 0}, DT_NOCLIP | DT_NOPREFIX);
        std::vector<int> widths = {natural.right - 1, natural.right, 2 * natural.right};
        for (int width = 1; width < natural.right; width += 1 + width / 16) widths.push_back(width);
        for (int width : widths) {
            const RECT block = measure.Calc(text, RECT{0, 0, width, 0}, DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
            const SIZE modelled = model.Block(width);
            ASSERT_EQ(modelled.cx, block.right) << "width " << width << " of " << text.substr(0, 40);
            ASSERT_EQ(modelled.cy, block.bottom) << "width " << width << " of " << text.substr(0, 40);
        }
    }
    // What it cannot follow, it leaves to measurement.
    EXPECT_FALSE(WrapModel(measure.Dc(), "well-known (words)").Usable());
    EXPECT_FALSE(WrapModel(measure.Dc(), "caf\xE9").Usable());
}

TEST_F(RendererLayout, UncreatableWallpaperLeavesADefinedState)
{
    // The largest side is made; one pixel more is refused before anything is allocated.
    design.minWidth = 65535;
    design.minHeight = 40;
    renderer.Render(design);
    EXPECT_EQ(renderer.GetWallpaperSize().cx, 65535);
    design.margin = 32768;  // 2 x 32768 = 65536 high
    design.minWidth = 0;
    renderer.Render(design);
    EXPECT_EQ(renderer.GetWallpaperSize().cx, 0);
    EXPECT_EQ(renderer.RequestedHeight(), 65536);  // what a refusal names
    EXPECT_FALSE(renderer.SaveBitmap(std::string("never-written.bmp")));
    design.margin = 10;  // the next render recovers: nothing to show is twice the margin square
    renderer.Render(design);
    EXPECT_EQ(renderer.GetWallpaperSize().cx, 20);
    design.margin = design.minHeight = 0;  // and a zero-sized wallpaper is made 1 x 1
    renderer.Render(design);
    EXPECT_EQ(renderer.GetWallpaperSize().cx * renderer.GetWallpaperSize().cy, 1);
}

// A caption line's width agrees with the system's tabbed measure wherever that one
// can answer (below 65,536 pixels), and goes on counting past it.
TEST(CaptionLineWidth, AgreesWithTheSystemAndCountsPast65535)
{
    Measure measure;
    const std::string wide(6000, 'W');
    for (int tabStop : {1, 7, 50, 123, 4000}) {
        for (const std::string line : {"", "a", "OS:\tvalue", "\t", "x\t\ty", "Label:\t", "\tlead", "Name:\tW\tW"})
            EXPECT_EQ(CaptionLineWidth(measure.Dc(), line, tabStop), measure.Tabbed(line, tabStop).cx) << line << " at " << tabStop;
        // Past 16 bits: a plain line is as wide as its text, a tabbed one agrees in the low 16 bits.
        EXPECT_EQ(CaptionLineWidth(measure.Dc(), wide, tabStop), measure.Extent(wide).cx);
        const long long width = CaptionLineWidth(measure.Dc(), "System Name:\t" + wide, tabStop);
        EXPECT_GT(width, 65535);
        EXPECT_EQ(width % 65536, measure.Tabbed("System Name:\t" + wide, tabStop).cx) << tabStop;
    }
}

namespace {

long long InkOf(const MonoBitmap& bitmap)
{
    long long ink = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) ink += !(bitmap.Row(y)[x / 8] & (0x80 >> (x % 8)));
    return ink;
}

}  // namespace

// Beside the captions, a word wider than the notes column (a hash, a GUID, a URL) keeps
// every character: broken at character boundaries, it gives the ink of the same characters
// written in groups of eight. Its wallpaper is stored: the pieces in order, none cut.
TEST_F(RendererLayout, AWordWiderThanTheNotesColumnKeepsEveryCharacter)
{
    design.captionsText = "System Name:\tOFFICE-17\nOS Name:\tMicrosoft Windows 11 Pro\n";
    const std::string hash = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08"
                             "2c26b46b68ffc68ff99b453c1d30413413422d706483bfa0f98a5e886266e7ae";
    std::string huge;
    while (huge.size() < 10050) huge += hash;
    huge.resize(10050);
    for (const std::string& word : {hash, huge}) {
        std::string grouped;
        for (size_t i = 0; i < word.size(); i += 8) grouped += word.substr(i, 8) + " ";
        design.notesText = "Image hash:\r\n" + word + "\r\nBuilt 2024-05-01";
        const ComposedWallpaper whole = ComposeWallpaper(design, nullptr, "Notes:");
        design.notesText = "Image hash:\r\n" + grouped + "\r\nBuilt 2024-05-01";
        const ComposedWallpaper inGroups = ComposeWallpaper(design, nullptr, "Notes:");
        ASSERT_TRUE(whole.bitmap && inGroups.bitmap) << word.size();
        EXPECT_EQ(whole.width, inGroups.width);  // the column keeps the captions' width
        EXPECT_EQ(InkOf(whole.bitmap), InkOf(inGroups.bitmap)) << word.size() << " characters";
    }

    design.notesText = "Image hash:\r\n" + hash + "\r\nBuilt 2024-05-01";
    renderer.Render(design);
    const TempFolder folder;
    const std::string stored = std::string("Z:") + MURVEX_TEST_FIXTURES + "/wallpapers/long-word-beside-captions.bmp";
    const std::string target = std::getenv("MURVEX_UPDATE_WALLPAPERS") ? stored : folder.File("now.bmp");
    ASSERT_TRUE(renderer.SaveBitmap(target));
    EXPECT_TRUE(ReadWholeFile(target) == ReadWholeFile(stored));
}
