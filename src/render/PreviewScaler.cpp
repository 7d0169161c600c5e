#include "render/PreviewScaler.h"

#include <cstring>

PreviewSize FitPreviewSize(int clientWidth, int clientHeight, int wallpaperWidth, int wallpaperHeight)
{
    if (clientWidth <= 0 || clientHeight <= 0 || wallpaperWidth <= 0 || wallpaperHeight <= 0) return {};
    if (clientWidth > wallpaperWidth && clientHeight > wallpaperHeight) return {wallpaperWidth, wallpaperHeight};
    const double wallpaperRatio = static_cast<double>(wallpaperWidth) / wallpaperHeight;
    const double clientRatio = static_cast<double>(clientWidth) / clientHeight;
    PreviewSize size;
    if (wallpaperRatio > clientRatio) {
        size.width = clientWidth;
        size.height = static_cast<int>(static_cast<long long>(wallpaperHeight) * clientWidth / wallpaperWidth);
    } else {
        size.width = static_cast<int>(static_cast<long long>(wallpaperWidth) * clientHeight / wallpaperHeight);
        size.height = clientHeight;
    }
    if (size.width <= 0 || size.height <= 0) return {};
    return size;
}

namespace {

int PopCount8(uint8_t value) { return __builtin_popcount(value); }

// For each preview column, adds the paper pixels of one wallpaper row that it covers.
void AddRowPaper(const uint8_t* row, const std::vector<long long>& columnStarts, std::vector<uint64_t>& paper)
{
    // Running count of paper bits before `position` (a bit index), advanced boundary by boundary.
    uint64_t counted = 0;
    size_t byte = 0;
    uint64_t previous = 0;
    for (size_t column = 1; column < columnStarts.size(); ++column) {
        const size_t boundary = static_cast<size_t>(columnStarts[column]);
        const size_t boundaryByte = boundary >> 3;
        while (byte + 8 <= boundaryByte) {
            uint64_t word;
            std::memcpy(&word, row + byte, 8);
            counted += static_cast<uint64_t>(__builtin_popcountll(word));
            byte += 8;
        }
        while (byte < boundaryByte) counted += static_cast<uint64_t>(PopCount8(row[byte++]));
        const unsigned rest = boundary & 7;
        const uint64_t prefix =
            counted + (rest ? static_cast<uint64_t>(PopCount8(static_cast<uint8_t>(row[boundaryByte] & (0xFF00 >> rest))))
                            : 0);
        paper[column - 1] += prefix - previous;
        previous = prefix;
    }
}

uint32_t Mix(COLORREF fore, COLORREF back, uint64_t ink, uint64_t paper)
{
    const uint64_t area = ink + paper;
    if (area == 0) return Mix(fore, back, 0, 1);  // nothing covered: paper
    auto channel = [&](int shift) {
        const uint64_t f = (fore >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        return static_cast<uint32_t>((f * ink + b * paper + area / 2) / area);
    };
    // COLORREF holds red in the low byte; a DIB pixel holds blue there.
    return channel(0) << 16 | channel(8) << 8 | channel(16);
}

// The blended pixel for every ink count of one area size: the division per pixel
// and channel is done once per possible count instead.
class BlendTable {
public:
    BlendTable(COLORREF fore, COLORREF back) : fore_(fore), back_(back) {}
    const uint32_t* For(uint64_t area)
    {
        for (const auto& [size, pixels] : tables_)
            if (size == area) return pixels.data();
        std::vector<uint32_t> pixels(static_cast<size_t>(area) + 1);
        for (uint64_t ink = 0; ink <= area; ++ink) pixels[static_cast<size_t>(ink)] = Mix(fore_, back_, ink, area - ink);
        tables_.emplace_back(area, std::move(pixels));
        return tables_.back().second.data();
    }

private:
    COLORREF fore_, back_;
    std::vector<std::pair<uint64_t, std::vector<uint32_t>>> tables_;  // a few sizes: widths and heights differ by one
};

}  // namespace

void ReduceToPreview(const MonoBitmap& wallpaper, PreviewSize size, COLORREF foreColor, COLORREF backColor,
                     uint32_t* pixels)
{
    if (!wallpaper || size.width <= 0 || size.height <= 0) return;
    const long long bw = wallpaper.Width(), bh = wallpaper.Height();
    std::vector<long long> columnStarts(static_cast<size_t>(size.width) + 1);
    for (int i = 0; i <= size.width; ++i) columnStarts[i] = bw * i / size.width;
    std::vector<uint64_t> paper(static_cast<size_t>(size.width));
    BlendTable blend(foreColor, backColor);
    const uint32_t* paperOnly = blend.For(1);
    const uint64_t narrowWidth = static_cast<uint64_t>(bw / size.width);
    for (int outY = 0; outY < size.height; ++outY) {
        const long long top = bh * outY / size.height, bottom = bh * (outY + 1) / size.height;
        std::fill(paper.begin(), paper.end(), 0);
        for (long long y = top; y < bottom; ++y) AddRowPaper(wallpaper.Row(static_cast<int>(y)), columnStarts, paper);
        uint32_t* out = pixels + static_cast<size_t>(outY) * size.width;
        // Columns are narrowWidth or narrowWidth + 1 wallpaper pixels wide.
        const uint64_t height = static_cast<uint64_t>(bottom - top);
        const uint32_t* tables[2] = {blend.For(narrowWidth * height), blend.For((narrowWidth + 1) * height)};
        for (int outX = 0; outX < size.width; ++outX) {
            const uint64_t width = static_cast<uint64_t>(columnStarts[outX + 1] - columnStarts[outX]);
            const uint64_t area = width * height;
            out[outX] = area ? tables[width - narrowWidth][static_cast<size_t>(area - paper[outX])] : paperOnly[0];
        }
    }
}

std::vector<uint32_t> ReduceToPreview(const MonoBitmap& wallpaper, PreviewSize size, COLORREF foreColor,
                                      COLORREF backColor)
{
    std::vector<uint32_t> pixels;
    if (!wallpaper || size.width <= 0 || size.height <= 0) return pixels;
    pixels.resize(static_cast<size_t>(size.width) * size.height);
    ReduceToPreview(wallpaper, size, foreColor, backColor, pixels.data());
    return pixels;
}
