#include "render/PreviewScaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "win/PoolWork.h"

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

// A wallpaper row as 64-bit words: rows are padded to 4 bytes, not 8, so the last
// word may be half a word, and a boundary at the very end names a word past it.
struct RowWords {
    size_t full;   // whole words
    size_t bytes;  // the row with its padding

    uint64_t Load(const uint8_t* row, size_t word) const
    {
        uint64_t value = 0;
        if (word < full)
            std::memcpy(&value, row + 8 * word, 8);
        else if (8 * word < bytes)
            std::memcpy(&value, row + 8 * word, 4);
        return value;
    }
};

uint64_t Count(uint64_t word) { return static_cast<uint64_t>(__builtin_popcountll(word)); }

// Sets sums[b] to the paper pixels before boundary b of every row in [top, bottom):
// each word is counted once, the boundary words through their masks.
__attribute__((always_inline)) inline void CountRows(const MonoBitmap& wallpaper, long long top, long long bottom,
                                                     RowWords words, const std::vector<Boundary>& bounds,
                                                     uint64_t* sums)
{
    const size_t count = bounds.size();
    std::fill(sums, sums + count, 0);
    for (long long y = top; y < bottom; ++y) {
        const uint8_t* row = wallpaper.Row(static_cast<int>(y));
        size_t word = 0;
        uint64_t counted = 0;
        for (size_t b = 0; b < count; ++b) {
            const Boundary bound = bounds[b];
            for (const size_t whole = std::min(bound.word, words.full); word < whole; ++word) {
                uint64_t value;
                std::memcpy(&value, row + 8 * word, 8);
                counted += Count(value);
            }
            for (; word < bound.word; ++word) counted += Count(words.Load(row, word));
            sums[b] += counted + Count(words.Load(row, word) & bound.before);
        }
    }
}

// The same for a band of at most 2^Planes - 1 rows, added up pixel by pixel first:
// plane k holds bit k of each pixel's count of paper rows. A boundary then costs a
// few masked counts of the planes instead of one per row.
template <int Planes>
__attribute__((always_inline)) inline void CountBand(const MonoBitmap& wallpaper, long long top, long long bottom,
                                                     RowWords words, const std::vector<Boundary>& bounds,
                                                     uint64_t* sums, std::vector<uint64_t>& planes)
{
    const size_t stride = words.full + 2;  // a half word and the word past the end
    planes.assign(stride * Planes, 0);
    uint64_t* plane = planes.data();
    auto add = [plane, stride](size_t word, uint64_t carry) {
        for (int k = 0; k < Planes; ++k) {
            uint64_t& bits = plane[k * stride + word];
            const uint64_t next = bits & carry;
            bits ^= carry;
            carry = next;
        }
    };
    for (long long y = top; y < bottom; ++y) {
        const uint8_t* row = wallpaper.Row(static_cast<int>(y));
        for (size_t word = 0; word < words.full; ++word) {
            uint64_t value;
            std::memcpy(&value, row + 8 * word, 8);
            add(word, value);
        }
        add(words.full, words.Load(row, words.full));
    }
    auto paper = [&](size_t word, uint64_t mask) {
        uint64_t total = 0;
        for (int k = 0; k < Planes; ++k) total += Count(planes[k * stride + word] & mask) << k;
        return total;
    };
    size_t word = 0;
    uint64_t counted = 0;
    for (size_t b = 0; b < bounds.size(); ++b) {
        for (; word < bounds[b].word; ++word) counted += paper(word, ~0ULL);
        sums[b] = counted + paper(word, bounds[b].before);
    }
}

// Bands of up to seven rows are added up pixel by pixel, taller ones row by row.
__attribute__((always_inline)) inline void CountAnyBand(const MonoBitmap& wallpaper, long long top, long long bottom,
                                                        RowWords words, const std::vector<Boundary>& bounds,
                                                        uint64_t* sums, std::vector<uint64_t>& planes)
{
    if (bottom - top <= 7)
        CountBand<3>(wallpaper, top, bottom, words, bounds, sums, planes);
    else
        CountRows(wallpaper, top, bottom, words, bounds, sums);
}

// The same counting with the processor's population count instruction, where it has one.
__attribute__((target("popcnt"))) void CountWithPopcnt(const MonoBitmap& wallpaper, long long top, long long bottom,
                                                        RowWords words, const std::vector<Boundary>& bounds,
                                                        uint64_t* sums, std::vector<uint64_t>& planes)
{
    CountAnyBand(wallpaper, top, bottom, words, bounds, sums, planes);
}

void CountPortably(const MonoBitmap& wallpaper, long long top, long long bottom, RowWords words,
                   const std::vector<Boundary>& bounds, uint64_t* sums, std::vector<uint64_t>& planes)
{
    CountAnyBand(wallpaper, top, bottom, words, bounds, sums, planes);
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
    // Null for areas too large to tabulate (a preview far smaller than its wallpaper).
    const uint32_t* For(uint64_t area)
    {
        if (area > MAX_AREA) return nullptr;
        for (const auto& [size, pixels] : tables_)
            if (size == area) return pixels.data();
        std::vector<uint32_t> pixels(static_cast<size_t>(area) + 1);
        for (uint64_t ink = 0; ink <= area; ++ink) pixels[static_cast<size_t>(ink)] = Mix(fore_, back_, ink, area - ink);
        tables_.emplace_back(area, std::move(pixels));
        return tables_.back().second.data();
    }
    uint32_t Pixel(uint64_t area, uint64_t paper) const { return Mix(fore_, back_, area - paper, paper); }

private:
    static constexpr uint64_t MAX_AREA = 1 << 20;
    COLORREF fore_, back_;
    std::vector<std::pair<uint64_t, std::vector<uint32_t>>> tables_;  // a few sizes: widths and heights differ by one
};

size_t RowBytes(const MonoBitmap& wallpaper) { return wallpaper.Stride(); }

// One reduction's fixed parts; preview rows are made independently of each other.
class Reduction {
public:
    Reduction(const MonoBitmap& wallpaper, PreviewSize size, COLORREF foreColor, COLORREF backColor,
              uint32_t* pixels)
        : wallpaper_(wallpaper), size_(size), fore_(foreColor), back_(backColor), pixels_(pixels),
          words_{RowBytes(wallpaper) / 8, RowBytes(wallpaper)},
          narrowWidth_(static_cast<uint64_t>(wallpaper.Width() / size.width))
    {
        const long long bw = wallpaper.Width();
        for (int i = 0; i <= size.width; ++i) {
            const long long start = bw * i / size.width;
            if (i > 0) wide_.push_back(static_cast<uint8_t>(start - bw * (i - 1) / size.width - narrowWidth_));
            const size_t pixel = static_cast<size_t>(start & 63);
            uint64_t mask = pixel >= 8 ? ~0ULL >> (64 - 8 * (pixel / 8)) : 0;
            mask |= static_cast<uint64_t>((0xFF00u >> (pixel % 8)) & 0xFFu) << (8 * (pixel / 8));
            bounds_.push_back({static_cast<size_t>(start >> 6), mask});
        }
    }

    // Preview rows [from, to).
    void Rows(int from, int to) const
    {
        static const bool popcnt = __builtin_cpu_supports("popcnt");
        const auto countBand = popcnt ? CountWithPopcnt : CountPortably;
        const long long bh = wallpaper_.Height();
        std::vector<uint64_t> sums(bounds_.size()), planes;
        BlendTable blend(fore_, back_);
        // Per band height (there are two), each column's pixel for a count of paper,
        // looked up back from the end of its area's table.
        struct Ends {
            uint64_t height = 0;
            std::vector<const uint32_t*> columns;
        } ends[2];
        for (int outY = from; outY < to; ++outY) {
            const long long top = bh * outY / size_.height, bottom = bh * (outY + 1) / size_.height;
            countBand(wallpaper_, top, bottom, words_, bounds_, sums.data(), planes);
            uint32_t* out = pixels_ + static_cast<size_t>(outY) * size_.width;
            // Columns are narrowWidth_ or narrowWidth_ + 1 wallpaper pixels wide.
            const uint64_t height = static_cast<uint64_t>(bottom - top);
            const uint64_t areas[2] = {narrowWidth_ * height, (narrowWidth_ + 1) * height};
            const uint32_t* tables[2] = {blend.For(areas[0]), blend.For(areas[1])};
            if (!tables[0] || !tables[1]) {
                for (int outX = 0; outX < size_.width; ++outX)
                    out[outX] = blend.Pixel(areas[wide_[outX]], sums[outX + 1] - sums[outX]);
                continue;
            }
            Ends& band = ends[height % 2];
            if (band.height != height) {
                band.height = height;
                band.columns.clear();
                for (uint8_t wide : wide_) band.columns.push_back(tables[wide] + areas[wide]);
            }
            const uint32_t* const* columns = band.columns.data();
            for (int outX = 0; outX < size_.width; ++outX)
                out[outX] = columns[outX][-static_cast<std::ptrdiff_t>(sums[outX + 1] - sums[outX])];
        }
    }

private:
    const MonoBitmap& wallpaper_;
    PreviewSize size_;
    COLORREF fore_, back_;
    uint32_t* pixels_;
    RowWords words_;
    uint64_t narrowWidth_;
    std::vector<uint8_t> wide_;  // 1 for a column narrowWidth_ + 1 pixels wide
    std::vector<Boundary> bounds_;
};

// From this many wallpaper pixels on, a pool thread takes the lower half.
constexpr long long SHARED_REDUCTION_PIXELS = 1LL << 20;

}  // namespace

void ReduceToPreview(const MonoBitmap& wallpaper, PreviewSize size, COLORREF foreColor, COLORREF backColor,
                     uint32_t* pixels)
{
    if (!wallpaper || size.width <= 0 || size.height <= 0) return;
    const Reduction reduction(wallpaper, size, foreColor, backColor, pixels);
    static const DWORD processors = [] {
        SYSTEM_INFO system = {};
        GetSystemInfo(&system);
        return system.dwNumberOfProcessors;
    }();
    const int half = size.height / 2;
    if (processors < 2 || half == 0 || static_cast<long long>(wallpaper.Width()) * wallpaper.Height() < SHARED_REDUCTION_PIXELS)
        return reduction.Rows(0, size.height);
    PoolWork lower([&reduction, half, size] { reduction.Rows(half, size.height); });
    if (!lower.Submit()) return reduction.Rows(0, size.height);
    reduction.Rows(0, half);
    lower.Wait();  // its rows are a finite piece of work
}
