#include "render/NotesLayout.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>

#include "common/IntClamp.h"

namespace {

constexpr UINT MEASURE_WRAPPED = DT_CALCRECT | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;
// DrawText lays a line out from a buffer of this many characters: of a longer
// line only these are measured.
constexpr size_t LINE_BUFFER = 1024;

// Characters whose line-breaking class the model follows: letters and digits, the
// blank, quotes, and the punctuation that may not begin a line (. , ; :).
bool Modelled(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
           c == ',' || c == ';' || c == ':' || c == '\'' || c == '"' || c == '\r' || c == '\n';
}

bool NoBreakBefore(char c) { return c == ' ' || c == '.' || c == ',' || c == ';' || c == ':'; }

bool LineEnd(char c) { return c == '\r' || c == '\n'; }

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

}  // namespace

WrapModel::WrapModel(HDC dc, const std::string& text) : text_(text)
{
    if (text.empty() || text.size() > INT_MAX || !std::all_of(text.begin(), text.end(), Modelled)) return;
    TEXTMETRICA metrics = {};
    if (!GetTextMetricsA(dc, &metrics)) return;
    lineHeight_ = metrics.tmHeight;
    std::vector<int> extents(text.size());
    SIZE whole = {};
    if (!GetTextExtentExPointA(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr, extents.data(), &whole))
        return;
    advance_.assign(text.size() + 1, 0);
    for (size_t i = 0; i < text.size(); ++i) advance_[i + 1] = extents[i];
    lineEnd_.assign(text.size() + 1, text.size());
    for (size_t i = text.size(); i-- > 0;) lineEnd_[i] = LineEnd(text[i]) ? i : lineEnd_[i + 1];
    // A break opportunity lies after a run of blanks, before what may begin a line.
    lastBreak_.assign(text.size() + 1, -1);
    for (size_t i = 1; i <= text.size(); ++i) {
        const bool opportunity = i < text.size() && text[i - 1] == ' ' && !NoBreakBefore(text[i]);
        lastBreak_[i] = opportunity ? static_cast<int>(i) : lastBreak_[i - 1];
    }
    usable_ = true;
}

SIZE WrapModel::Block(int width) const
{
    const size_t n = text_.size();
    long long widest = 0, lines = 0;
    for (size_t start = 0;;) {
        ++lines;
        const size_t end = lineEnd_[start];
        const size_t seg = std::min(end - start, LINE_BUFFER);
        auto extent = [&](size_t count) { return advance_[start + count] - advance_[start]; };
        // Characters that fit: the cumulative extent stays within the width.
        const auto first = advance_.begin() + static_cast<std::ptrdiff_t>(start);
        const size_t fit = static_cast<size_t>(
            std::upper_bound(first, first + static_cast<std::ptrdiff_t>(seg) + 1, advance_[start] + width) - first - 1);
        if (fit >= seg) {
            widest = std::max(widest, extent(seg));
            if (end >= n) break;
            // CR, LF, CR LF and LF CR each end one line.
            start = end + 1;
            if (start < n && LineEnd(text_[start]) && text_[start] != text_[end]) ++start;
            if (start >= n) break;
            continue;
        }
        // Broken at the latest opportunity within what fits; without one, the first
        // word stands whole on its line and one blank after it is dropped.
        const int opportunity = fit > 0 ? lastBreak_[start + fit] : -1;
        size_t length, used;
        if (opportunity > static_cast<int>(start)) {
            length = static_cast<size_t>(opportunity) - start;
            used = length + (text_[start + length] == ' ' ? 1 : 0);
        } else {
            length = fit;
            while (length < seg && text_[start + length] != ' ') ++length;
            used = length + (length < seg ? 1 : 0);
        }
        widest = std::max(widest, extent(length));
        start += used;
        if (start >= n) break;
    }
    return SIZE{ClampToInt(widest), ClampToInt(lines * lineHeight_)};
}

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

template <typename Block>
int NotesLayout::Bisect(SIZE natural, long long cx, long long cy, Block block)
{
    int best = 0, step = (natural.cx + 1) / 2;
    SIZE measured = natural;
    for (int trials = 0;;) {
        measured = block(best + step);
        if (cy * measured.cx < cx * measured.cy) best += step;
        step = (std::abs(step) + 1) / 2;
        if (step == 0 || ++trials == 100) break;
    }
    return measured.cx;
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

    // The model decides the trials when it agrees with DrawText on the unwrapped block
    // and on the block at the width it chose; otherwise every trial is measured.
    const WrapModel model(dc_, text_);
    auto modelled = [&](int width) {
        SIZE block = model.Block(width);
        block.cy += top_;
        return block;
    };
    if (model.Usable() && SameSize(modelled(INT_MAX), natural)) {
        const int width = Bisect(natural, cx, cy, modelled);
        if (SameSize(Wrapped(width), modelled(width))) return width;
    }
    return Bisect(natural, cx, cy, [this](int width) { return Wrapped(width); });
}

std::string BreakWiderWords(HDC dc, const std::string& text, int width)
{
    if (width < 1) return text;
    std::string broken;
    broken.reserve(text.size());
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of(" \t\r\n", start);
        if (end == start) {
            broken += text[start++];
            continue;
        }
        if (end == std::string::npos) end = text.size();
        for (size_t piece = start; piece < end;) {
            const int length = static_cast<int>(std::min<size_t>(end - piece, INT_MAX));
            INT fit = 0;
            SIZE extent = {};
            GetTextExtentExPointA(dc, text.c_str() + piece, length, width, &fit, nullptr, &extent);
            const size_t taken = static_cast<size_t>(std::clamp(fit, 1, length));  // a glyph wider than the column stands alone
            if (piece != start) broken += "\r\n";
            broken.append(text, piece, taken);
            piece += taken;
        }
        start = end;
    }
    return broken;
}
