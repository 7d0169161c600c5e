// The sizing grid: rectangles, dash phases, task-bar lines and labels, checked
// against the published example and its mirror image.

#include <gtest/gtest.h>

#include <algorithm>

#include "RenderTestSupport.h"
#include "settings/ScreenSizeList.h"

namespace {

struct GridCase {
    int bw, bh;
    std::vector<uint32_t> sizes;
    int lineSize;
    bool flip;
    bool taskBars;
};

class RendererGrid : public ::testing::Test {
protected:
    RendererGrid() { PlainInputs(design); }

    Picture Render(const GridCase& grid, int margin)
    {
        design.margin = margin;
        design.gridSizes = grid.sizes;
        design.minWidth = grid.bw;
        design.minHeight = grid.bh;
        design.gridLineSize = grid.lineSize;
        design.flipHorizontal = grid.flip;
        design.taskBarLines = grid.taskBars;
        return Snapshot(renderer, design);
    }

    int LabelHeight() { return measure.Extent("0").cy; }

    Measure measure;
    WallpaperDesign design;
    WallpaperRenderer renderer;
};

}  // namespace

TEST_F(RendererGrid, ExampleOf800x600OnA1024x768Wallpaper)
{
    const GridCase grid = {1024, 768, {PackSize(800, 600)}, 2, false, false};
    const Picture picture = Render(grid, 12);
    ASSERT_EQ(picture.width, 1024);
    // Top edge, rows 0 and 1: dashes end at the right edge, gaps before them.
    for (int row : {0, 1}) {
        EXPECT_TRUE(picture.Ink(1023, row) && picture.Ink(1022, row));
        EXPECT_FALSE(picture.Ink(1021, row) || picture.Ink(1020, row));
        EXPECT_TRUE(picture.Ink(1019, row) && picture.Ink(1018, row));
        EXPECT_FALSE(picture.Ink(1017, row) || picture.Ink(1016, row));
    }
    // The rectangle spans columns 224 to 1023 and rows 0 to 599.
    EXPECT_EQ(picture.InkCount(0, 0, 224, 768), 0);
    EXPECT_EQ(picture.InkCount(0, 600, 1024, 768), 0);
    EXPECT_GT(picture.InkCount(224, 0, 226, 600), 0);
    EXPECT_GT(picture.InkCount(224, 598, 1024, 600), 0);
    // The labels sit in the band from column 236 to 1012 that ends at row 598.
    const int labelHeight = std::max(LabelHeight(), 30);
    EXPECT_GT(picture.InkCount(236, 598 - labelHeight, 1012, 598), 0);
    EXPECT_EQ(picture.InkCount(226, 598 - labelHeight, 236, 598), 0);
    EXPECT_EQ(picture.InkCount(1012, 598 - labelHeight, 1022, 598), 0);

    // Flipped for right-to-left languages the rectangle stands at the left and its
    // dashes start at the left edge.
    const Picture flipped = Render({1024, 768, {PackSize(800, 600)}, 2, true, false}, 12);
    EXPECT_EQ(flipped.InkCount(800, 0, 1024, 768), 0);
    for (int row : {0, 1}) {
        EXPECT_TRUE(flipped.Ink(0, row) && flipped.Ink(1, row));
        EXPECT_FALSE(flipped.Ink(2, row) || flipped.Ink(3, row));
    }
}

TEST_F(RendererGrid, LineSizesAndTaskBarLines)
{
    // Dashes as long as the lines are thick on every edge, or solid lines.
    for (int lineSize : {0, 1, 3, 6}) {
        const Picture picture = Render({700, 500, {PackSize(640, 480)}, lineSize, false, false}, 10);
        // The lengths of the runs of ink and paper along a line, the partial ones at its ends left out.
        auto runs = [&](bool horizontal, int from, int to) {
            std::vector<int> lengths(1, 1);
            for (int p = from + 1; p < to; ++p) {
                const bool same = horizontal ? picture.Ink(p, 0) == picture.Ink(p - 1, 0)
                                             : picture.Ink(60, p) == picture.Ink(60, p - 1);
                if (same) ++lengths.back(); else lengths.push_back(1);
            }
            return std::vector<int>(lengths.begin() + (lengths.size() > 2), lengths.end() - (lengths.size() > 2));
        };
        for (const auto& line : {runs(true, 100, 600), runs(false, 20, 440)}) {
            if (lineSize == 0) {
                EXPECT_EQ(line.size(), 1u) << "solid";
            } else {
                for (int length : line) EXPECT_EQ(length, lineSize) << lineSize;
            }
        }
    }
    // Task-bar lines: 30 pixels above the bottom edge and 80 pixels in from the anchored side.
    const Picture picture = Render({400, 300, {PackSize(400, 300)}, 0, false, true}, 10);
    EXPECT_EQ(picture.InkCount(0, 269, 400, 270), 400);
    EXPECT_EQ(picture.InkCount(80, 0, 81, 240), 240);
}
