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

// Where a preview column starts in a wallpaper row: the 64-bit word holding the
// boundary, and the mask of the pixels before it in that word as loaded from memory
// (bytes in order, the leftmost pixel in each byte's top bit).
struct Boundary {
    size_t word;
    uint64_t before;
};

// Counts each preview column's paper pixels, a wallpaper row at a time, a 64-bit word
// at a time: every word is counted once, the boundary words through their masks.
class RowCounter {
public:
    RowCounter(long long width, const std::vector<long long>& columnStarts)
        : bytes_(static_cast<size_t>((width + 31) / 32 * 4))
    {
        for (long long start : columnStarts) {
            const size_t pixel = static_cast<size_t>(start & 63);
            uint64_t mask = pixel >= 8 ? ~0ULL >> (64 - 8 * (pixel / 8)) : 0;
            mask |= static_cast<uint64_t>((0xFF00u >> (pixel % 8)) & 0xFFu) << (8 * (pixel / 8));
            bounds_.push_back({static_cast<size_t>(start >> 6), mask});
        }
    }

    void Add(const uint8_t* row, std::vector<uint64_t>& paper) const
    {
        size_t word = 0;
        uint64_t counted = 0;  // paper pixels in the words before `word`
        uint64_t previous = 0;
        for (size_t column = 0; column < bounds_.size(); ++column) {
            const Boundary& bound = bounds_[column];
            for (; word < bound.word; ++word) counted += static_cast<uint64_t>(__builtin_popcountll(Load(row, word)));
            const uint64_t before =
                counted + (bound.before ? static_cast<uint64_t>(__builtin_popcountll(Load(row, word) & bound.before)) : 0);
            if (column > 0) paper[column - 1] += before - previous;
            previous = before;
        }
    }

private:
    // Rows are padded to 4 bytes, not 8: the last word may be half a word.
    uint64_t Load(const uint8_t* row, size_t word) const
    {
        uint64_t value = 0;
        const size_t offset = 8 * word;
        if (offset + 8 <= bytes_)
            std::memcpy(&value, row + offset, 8);
        else if (offset < bytes_)
            std::memcpy(&value, row + offset, 4);
        return value;
    }

    size_t bytes_;  // a row with its padding
    std::vector<Boundary> bounds_;
};

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
    RowCounter counter(bw, columnStarts);
    BlendTable blend(foreColor, backColor);
    const uint32_t* paperOnly = blend.For(1);
    const uint64_t narrowWidth = static_cast<uint64_t>(bw / size.width);
    for (int outY = 0; outY < size.height; ++outY) {
        const long long top = bh * outY / size.height, bottom = bh * (outY + 1) / size.height;
        std::fill(paper.begin(), paper.end(), 0);
        for (long long y = top; y < bottom; ++y) counter.Add(wallpaper.Row(static_cast<int>(y)), paper);
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
