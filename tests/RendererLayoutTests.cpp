// The wallpaper's geometry: the measured layout, the wrap model against DrawText, caption
// widths past 16 bits, and sizes that cannot be made (the pixels are the stored wallpapers').

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RenderTestSupport.h"
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

// Where each part goes, without painting: logo, captions, notes, grid and the size.
TEST_F(RendererLayout, MeasuredPartsStandWhereThePictureHasThem)
{
    design.captionsText = "OS:\tWXYZ\nBrowser Version:\tWXYZ\n";
    design.notesText = "note";
    design.gridSizes = {PackSize(800, 600)};
    design.minWidth = 800;
    design.minHeight = 600;
    const int L = measure.Extent("Browser Version:  ").cx;
    const SIZE first = measure.Tabbed("OS:\tWXYZ", L), second = measure.Tabbed("Browser Version:\tWXYZ", L);
    const long long content = std::max(first.cx, second.cx);
    const long long extra = 800 - (content + 20);  // the content keeps to the right of a larger wallpaper

    const WallpaperLayout layout = MeasureWallpaper(design, SIZE{100, 40}, measure.Dc());
    EXPECT_EQ(layout.width, 800);
    EXPECT_EQ(layout.height, 600);
    EXPECT_EQ(layout.logo, (PixelRect{10 + extra, 10, 110 + extra, 50}));
    EXPECT_EQ(layout.captions, (PixelRect{10 + extra, 60, 10 + extra + content, 60 + first.cy + second.cy}));
    EXPECT_EQ(layout.tabStop, L + extra);
    EXPECT_TRUE(layout.notesLabel);
    EXPECT_EQ(layout.notes.left, 10 + L + extra);
    EXPECT_EQ(layout.notes.top, layout.captions.bottom);
    EXPECT_EQ(layout.notes.right, 790);  // the content's width from its left, kept inside the margin
    EXPECT_EQ(layout.notes.bottom, layout.notes.top + first.cy);
    ASSERT_EQ(layout.grid.size(), 1u);
    EXPECT_EQ(layout.grid[0], (PixelRect{0, 0, 800, 600}));
}
