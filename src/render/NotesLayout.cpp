#include "render/NotesLayout.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "render/WallpaperComposer.h"

namespace {

constexpr UINT MEASURE_WRAPPED = DT_CALCRECT | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;

// The widest run of characters without a blank or line break: no wrapped line
// is wider than this or than the width it was wrapped to.
int WidestUnbreakableRun(HDC dc, const std::string& text)
{
    int widest = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find_first_of(" \r\n", start);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start) {
            SIZE extent = {};
            GetTextExtentPoint32A(dc, text.c_str() + start, static_cast<int>(stop - start), &extent);
            widest = std::max<int>(widest, extent.cx);
        }
        start = stop + 1;
    }
    return widest;
}

}  // namespace

NotesLayout::NotesLayout(HDC dc, const std::string& text, int top) : dc_(dc), text_(text), top_(top) {}

SIZE NotesLayout::Measured(int width)
{
    RECT rect = {0, top_, width, top_};
    DrawTextA(dc_, text_.c_str(), ClampToInt(static_cast<long long>(text_.size())), &rect, MEASURE_WRAPPED);
    const SIZE block = {rect.right, rect.bottom};
    known_.push_back({width, block});
    return block;
}

SIZE NotesLayout::Wrapped(int width)
{
    // Word wrapping is greedy: a width that produced a block r wide breaks the text
    // exactly the same for every width from r up to itself, so those need no new
    // measurement. (A block wider than its width holds a word that fits nowhere.)
    for (const Known& known : known_)
        if (known.block.cx <= width && width <= known.width) return known.block;
    return Measured(width);
}

int NotesLayout::SearchWidth(long long cx, long long cy)
{
    RECT rect = {0, top_, 0, top_};
    DrawTextA(dc_, text_.c_str(), ClampToInt(static_cast<long long>(text_.size())), &rect,
              DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    const SIZE natural = {rect.right, rect.bottom};
    if (!(cy * natural.cx > cx * natural.cy)) return natural.cx;

    // Any width from the natural one up wraps nothing.
    known_.push_back({INT_MAX, natural});
    const long long widestRun = WidestUnbreakableRun(dc_, text_);
    int best = 0, step = (natural.cx + 1) / 2, width = 0;
    SIZE measured = natural;
    bool lastMeasured = true;
    for (int trials = 0;;) {
        width = best + step;
        // A narrower width never wraps into fewer lines, so the block is at least as
        // tall as any measured at a width not below this one, and no wider than
        // this width or the widest unbreakable run. When even those bounds say
        // "narrower than the screen", the measurement would say so too.
        long long lowestBottom = 0;
        for (const Known& known : known_)
            if (known.width >= width) lowestBottom = std::max<long long>(lowestBottom, known.block.cy);
        bool narrower;
        if (cy * std::max<long long>(width, widestRun) < cx * lowestBottom) {
            narrower = true;
            lastMeasured = false;
        } else {
            measured = Wrapped(width);
            narrower = cy * measured.cx < cx * measured.cy;
            lastMeasured = true;
        }
        if (narrower) best += step;
        step = (std::abs(step) + 1) / 2;
        if (step == 0 || ++trials == 100) break;
    }
    if (!lastMeasured) measured = Wrapped(width);
    return measured.cx;
}
