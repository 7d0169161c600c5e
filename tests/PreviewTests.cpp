// The scaled preview: fitting, area averaging, and the worker thread behind it.

#include <gtest/gtest.h>

#include <memory>

#include "RenderTestSupport.h"
#include "WindowTestSupport.h"
#include "render/PreviewScaler.h"
#include "win/Handles.h"

namespace {

constexpr COLORREF RED = 0x0000FF, BLUE = 0xFF0000, GREEN = 0x00FF00, BLACK = 0, WHITE = 0xFFFFFF;

// What this process has left of the system's objects, as Wine also answers it (its
// GetGuiResources and GetProcessHandleCount say 0): how many more GDI objects it could
// make (a leak of n lowers it by n), and the lowest free kernel handle (leaks push it up).
size_t GdiHeadroom()
{
    std::vector<HBRUSH> brushes;
    for (HBRUSH brush; brushes.size() < 200000 && (brush = CreateSolidBrush(0)) != nullptr;) brushes.push_back(brush);
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return brushes.size();
}

UINT_PTR LowestFreeHandle()
{
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<UINT_PTR>(probe);
}

// The preview painted on a 40 x 40 square of green, read at the given points.
std::vector<COLORREF> Painted(WallpaperRenderer& renderer, std::initializer_list<POINT> points)
{
    const MemoryDC dc(CreateScreenCompatibleDC());
    const BitmapHandle bitmap(CreateBitmap(40, 40, 1, 32, nullptr));
    const SelectObjectScope scope(dc.Get(), bitmap.Get());
    const BrushHandle green(CreateSolidBrush(GREEN));
    const RECT all = {0, 0, 40, 40};
    FillRect(dc.Get(), &all, green.Get());
    renderer.PaintPreview(dc.Get(), 0, 0);
    std::vector<COLORREF> colours;
    for (const POINT& point : points) colours.push_back(GetPixel(dc.Get(), point.x, point.y));
    return colours;
}

using Colours = std::vector<COLORREF>;

class Preview : public ::testing::Test {
protected:
    Preview()
    {
        PlainInputs(design);
        renderer.SetPreviewWindow(window.Get());
    }
    // A borderless window standing in for the Preview button.
    WindowHandle window{CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr)};
    WallpaperDesign design;
    WallpaperRenderer renderer;
    bool Idle() { return WaitFor([this] { return !renderer.PreviewRunning(); }); }
};

}  // namespace

// The reduction's definition, pixel by pixel: the area's ink and paper mixed per
// channel, rounded to nearest.
uint32_t DefinedPixel(const MonoBitmap& wallpaper, int x0, int x1, int y0, int y1, COLORREF fore, COLORREF back)
{
    uint64_t ink = 0, area = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) ink += !(wallpaper.Row(y)[x / 8] & (0x80 >> (x % 8)));
    uint32_t pixel = 0;
    for (int shift : {0, 8, 16}) {
        const uint64_t f = (fore >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        pixel = pixel << 8 | static_cast<uint32_t>((f * ink + b * (area - ink) + area / 2) / area);
    }
    return pixel;  // red was shifted in first: 0x00RRGGBB
}

TEST(PreviewReduction, EveryWayOfCountingGivesTheDefinedPixels)
{
    struct Case {
        int width, height, previewWidth, previewHeight;
    };
    const Case cases[] = {
        {1920, 1200, 400, 250},  // bands of four or five rows
        {1000, 999, 97, 13},     // taller bands, rows ending in half a word
        {64, 64, 64, 64},        // one pixel each, the boundary at the row's very end
        {4100, 4100, 300, 299},  // rows shared with a second thread
        {4100, 4100, 3, 2},      // areas too large for a table
    };
    uint32_t seed = 12345;
    for (const Case& c : cases) {
        MonoBitmap wallpaper = MonoBitmap::Create(c.width, c.height);
        ASSERT_TRUE(wallpaper);
        wallpaper.FillPaper();
        for (int y = 0; y < c.height; ++y)
            for (int run = 0; run < 3; ++run) {
                seed = seed * 1103515245 + 12345;
                const int from = static_cast<int>(seed % static_cast<uint32_t>(c.width));
                wallpaper.InkRun(y, from, from + static_cast<int>(seed >> 24) % 97);
            }
        std::vector<uint32_t> pixels(static_cast<size_t>(c.previewWidth) * c.previewHeight);
        ReduceToPreview(wallpaper, {c.previewWidth, c.previewHeight}, RED, GREEN, pixels.data());
        for (int py = 0; py < c.previewHeight; ++py)
            for (int px = 0; px < c.previewWidth; ++px) {
                const int x0 = static_cast<int>(1LL * c.width * px / c.previewWidth);
                const int x1 = static_cast<int>(1LL * c.width * (px + 1) / c.previewWidth);
                const int y0 = static_cast<int>(1LL * c.height * py / c.previewHeight);
                const int y1 = static_cast<int>(1LL * c.height * (py + 1) / c.previewHeight);
                ASSERT_EQ(pixels[static_cast<size_t>(py) * c.previewWidth + px],
                          DefinedPixel(wallpaper, x0, x1, y0, y1, RED, GREEN))
                    << c.width << "x" << c.height << " at " << px << "," << py;
            }
    }
}

// A journey through what the Preview button shows: nothing, a small wallpaper at its
// own size, a large one fitted; then bursts.
TEST_F(Preview, ShowsTheWallpaperFittedInItsColoursAndBurstsShareOneThread)
{
    EXPECT_EQ(Painted(renderer, {{5, 5}}), Colours{GREEN});  // nothing before the first preview
    design.border = true;
    renderer.SetColors(RED, BLUE);
    renderer.Render(design);
    ASSERT_TRUE(Idle());
    // 20 x 20 framed: beyond it nothing is painted.
    EXPECT_EQ(Painted(renderer, {{0, 0}, {19, 10}, {10, 10}, {25, 25}}), (Colours{RED, RED, BLUE, GREEN}));

    design.minWidth = 1000;  // wider than the 300 x 200 window: fitted to its width
    design.minHeight = 100;
    renderer.Render(design);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(renderer.GetPreviewSize().cx, 300);
    EXPECT_EQ(renderer.GetPreviewSize().cy, 30);

    // Requests and renders in bursts share one thread, end on the last wallpaper, and
    // leave no GDI object or kernel handle behind.
    design.minWidth = design.minHeight = 6000;
    renderer.Render(design);
    ASSERT_TRUE(Idle());
    const long started = renderer.PreviewThreadsStarted();
    for (int i = 0; i < 10; ++i) renderer.RequestPreview();
    ASSERT_TRUE(Idle());
    EXPECT_EQ(renderer.PreviewThreadsStarted(), started + 1);

    design.minWidth = design.minHeight = 400;
    for (int i = 0; i < 2; ++i) {  // the preview shown and the one kept for the next pass
        renderer.Render(design);
        ASSERT_TRUE(Idle());
    }
    const size_t headroom = GdiHeadroom();
    const UINT_PTR handle = LowestFreeHandle();
    const COLORREF colours[] = {RED, BLUE, GREEN, BLACK};
    for (int i = 0; i < 1000; ++i) {
        renderer.SetColors(RED, colours[i % 4]);
        renderer.Render(design);
        if (i % 100 < 50) {
            ASSERT_TRUE(Idle());  // whole passes, then a burst
        }
    }
    ASSERT_TRUE(Idle());
    EXPECT_EQ(renderer.PreviewThreadsAtOnce(), 1);
    EXPECT_EQ(Painted(renderer, {{5, 5}}), Colours{BLACK});
    EXPECT_EQ(GdiHeadroom(), headroom);
    // The thread pool may have kept a thread or two more; a handle lost per pass would be hundreds.
    EXPECT_LE(LowestFreeHandle(), handle + 4 * 8);  // handle values step by 4
}

// The renderer's destructor waits for a pass under way, however far it has come (a pass
// left running would go on using a renderer that is gone).
TEST_F(Preview, ShutdownWaitsForARunningThread)
{
    design.minWidth = design.minHeight = 30000;  // a pass of some 40 ms
    for (int round = 0; round < 3; ++round) {
        auto other = std::make_unique<WallpaperRenderer>();
        other->SetPreviewWindow(window.Get());
        other->Render(design);
        ASSERT_TRUE(WaitFor([&] { return !other->PreviewRunning(); }));
        other->RequestPreview();  // a pass of its own, under way
        Sleep(static_cast<DWORD>(5 * round));
        other.reset();  // must not return while the thread still uses the renderer
        EXPECT_EQ(WallpaperRenderer::PreviewThreadsRunning(), 0);
    }
}
