#include "render/WallpaperComposer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "render/NotesLayout.h"
#include "win/Handles.h"

namespace {

constexpr UINT MEASURE_WRAPPED = DT_CALCRECT | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;

int TextLength(const std::string& text) { return ClampToInt(static_cast<long long>(text.size())); }

// Lines that end with LF, an empty one standing as a single space; text after the last LF is left out.
template <typename Visit>
void ForEachTerminatedLine(const std::string& text, Visit visit)
{
    size_t position = 0;
    for (size_t end; (end = text.find('\n', position)) != std::string::npos; position = end + 1) {
        const std::string line = end == position ? std::string(" ") : text.substr(position, end - position);
        visit(line);
    }
}

bool EvenStep(long long position, long long phase, long long lineSize)
{
    // Parity of (position + phase) / lineSize; a negative size has the parity of its magnitude.
    return ((position + phase) / std::llabs(lineSize)) % 2 == 0;
}

// Ink along rows [rowFrom, rowTo) over columns [from, to), in dashes of lineSize
// (solid when 0): a pixel is ink where its dash step is even (odd when !inkOnEven).
void HorizontalDashes(MonoBitmap& bitmap, long long rowFrom, long long rowTo, long long from, long long to,
                      long long phase, long long lineSize, bool inkOnEven)
{
    rowFrom = std::max(rowFrom, 0LL);
    rowTo = std::min<long long>(rowTo, bitmap.Height());
    from = std::max(from, 0LL);
    to = std::min<long long>(to, bitmap.Width());
    if (rowFrom >= rowTo || from >= to) return;
    const long long size = std::llabs(lineSize);
    for (long long row = rowFrom; row < rowTo; ++row) {
        if (size == 0) {
            bitmap.InkRun(static_cast<int>(row), from, to);
            continue;
        }
        for (long long p = from; p < to;) {
            const long long step = (p + phase) / size;
            const long long runEnd = std::min(to, (step + 1) * size - phase);
            if ((step % 2 == 0) == inkOnEven) bitmap.InkRun(static_cast<int>(row), p, runEnd);
            p = runEnd;
        }
    }
}

// Ink on columns [from, to) of every row in [rowFrom, rowTo) whose dash step is even.
void VerticalDashes(MonoBitmap& bitmap, long long from, long long to, long long rowFrom, long long rowTo,
                    long long phase, long long lineSize)
{
    rowFrom = std::max(rowFrom, 0LL);
    rowTo = std::min<long long>(rowTo, bitmap.Height());
    for (long long row = rowFrom; row < rowTo; ++row)
        if (lineSize == 0 || EvenStep(row, phase, lineSize)) bitmap.InkRun(static_cast<int>(row), from, to);
}

// One screen size's rectangle, anchored at the top right (top left when flipped), with
// its label along the bottom edge; `dc` has the bitmap and the font selected.
void DrawGridRectangle(const WallpaperDesign& design, MonoBitmap& bitmap, HDC dc, uint32_t size)
{
    const bool flip = design.flipHorizontal;
    const long long w = size & 0xFFFF, h = size >> 16;
    const long long lineSize = design.gridLineSize;
    const long long t = lineSize > 1 ? lineSize : 1;
    const long long bw = bitmap.Width();
    const long long x0 = flip ? 0 : bw - w, x1 = x0 + w;
    const long long r = bw % (2 * t);
    const long long topPhase = flip ? 0 : 3 * t - r;
    const long long bottomPhase = flip ? t : 2 * t - r;
    const long long leftPhase = flip ? 0 : t;
    const long long rightPhase = flip ? t : 0;

    GdiFlush();  // earlier labels are complete before bits are set directly
    HorizontalDashes(bitmap, 0, t, x0, x1, topPhase, lineSize, true);
    HorizontalDashes(bitmap, h - t, h, x0, x1, bottomPhase, lineSize, true);
    VerticalDashes(bitmap, x0, x0 + t, 0, h, leftPhase, lineSize);
    VerticalDashes(bitmap, x1 - t, x1, 0, h, rightPhase, lineSize);
    if (design.taskBarLines) {
        HorizontalDashes(bitmap, h - t - 30, h - 30, x0, x1, bottomPhase, lineSize, lineSize == 0);
        const long long from = flip ? w - 80 - t : x0 + 80;
        VerticalDashes(bitmap, from, from + t, 0, h, t, lineSize);
    }

    char label[32];
    std::snprintf(label, sizeof label, "%d x %d", static_cast<int>(w), static_cast<int>(h));
    const std::string measured = std::string(label) + "  ";
    RECT extent = {0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), TextLength(measured), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    const long long labelWidth = extent.right - extent.left, textHeight = extent.bottom - extent.top;
    const long long margin = design.margin;
    RECT band = {ClampToInt(x0 + margin), ClampToInt(h - t - std::max(textHeight, 30LL)), ClampToInt(x1 - margin),
                 ClampToInt(h - t)};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX;
    const int length = TextLength(label);
    DrawTextA(dc, label, length, &band, format | (flip ? DT_LEFT : DT_RIGHT));
    const long long bandWidth = static_cast<long long>(band.right) - band.left;
    if (bandWidth > 2 * labelWidth) DrawTextA(dc, label, length, &band, format | (flip ? DT_RIGHT : DT_LEFT));
    if (bandWidth > 3 * labelWidth) DrawTextA(dc, label, length, &band, format | DT_CENTER);
}

}  // namespace

int WidestLabel(const std::string& text, const std::function<int(const std::string&)>& measure)
{
    int widest = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        widest = std::max(widest, measure(line.substr(0, line.find('\t')) + "  "));
        start = end + 1;
    }
    return widest;
}

ComposedWallpaper ComposeWallpaper(const WallpaperDesign& design, HBITMAP logo, const std::string& notesLabel)
{
    const std::string& captionsText = design.captionsText;
    const std::string& notesText = design.notesText;
    const int margin = design.margin;
    MemoryDC dc = CreateScreenCompatibleDC();
    FontHandle textFont(CreateFontIndirectA(&design.font));
    SelectObjectScope fontScope(dc.Get(), textFont ? static_cast<HGDIOBJ>(textFont.Get()) : GetStockObject(SYSTEM_FONT));

    BITMAP logoSize = {};
    const bool withLogo = design.logoEnabled && logo && GetObjectA(logo, sizeof logoSize, &logoSize);
    long long x = margin, y0 = margin, W = 0, H = 0, L = 0;
    if (withLogo) {
        W = logoSize.bmWidth;
        H = logoSize.bmHeight + static_cast<long long>(margin);
        y0 = margin + logoSize.bmHeight + static_cast<long long>(margin);
    }
    L = WidestLabel(captionsText, [&dc](const std::string& label) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc.Get(), label.c_str(), TextLength(label), &extent);
        return static_cast<int>(extent.cx);
    });
    const int tabStop = ClampToInt(L);

    if (!captionsText.empty() || !notesText.empty()) {
        ForEachTerminatedLine(captionsText, [&](const std::string& line) {
            const DWORD extent = GetTabbedTextExtentA(dc.Get(), line.c_str(), TextLength(line), 1, &tabStop);
            W = std::max<long long>(W, LOWORD(extent));
            H += HIWORD(extent);
        });
        if (captionsText.empty()) {
            // The search and the final block are measured from the same top edge.
            NotesLayout notes(dc.Get(), notesText, ClampToInt(H));
            W = std::max<long long>(W, notes.SearchWidth(GetSystemMetrics(SM_CXFULLSCREEN),
                                                         GetSystemMetrics(SM_CYFULLSCREEN)));
            H = notes.Wrapped(ClampToInt(W)).cy + static_cast<long long>(margin);
        } else {
            RECT notes = {ClampToInt(L), ClampToInt(H), ClampToInt(W), ClampToInt(H)};
            DrawTextA(dc.Get(), notesText.c_str(), TextLength(notesText), &notes, MEASURE_WRAPPED);
            H = notes.bottom + static_cast<long long>(margin);
        }
    }

    const long long width = W + 2LL * margin;
    const long long height = H != 0 ? H + margin : 2LL * margin;
    long long bw = width, bh = height;
    if (design.minWidth > 0 || design.minHeight > 0) {
        bw = std::max<long long>(design.minWidth, width);
        bh = std::max<long long>(design.minHeight, height);
        if (!design.flipHorizontal) {
            const long long extra = bw - width;
            x += extra;
            if (L != 0) L += extra;
        }
    }
    // A zero-sized bitmap is made 1 x 1, as the platform does for CreateBitmap.
    ComposedWallpaper result;
    result.width = bw = std::max(bw, 1LL);
    result.height = bh = std::max(bh, 1LL);
    // Larger ones are refused before anything is allocated: the system would hand out
    // a bitmap of several GiB that later drawing faults on.
    if (bw > MAX_WALLPAPER_SIDE || bh > MAX_WALLPAPER_SIDE) return result;
    MonoBitmap bitmap = MonoBitmap::Create(static_cast<int>(bw), static_cast<int>(bh));
    if (!bitmap) return result;

    SelectObjectScope bitmapScope(dc.Get(), bitmap.Handle());
    bitmap.FillPaper();
    if (design.border) {
        bitmap.InkRun(0, 0, bw);
        bitmap.InkRun(static_cast<int>(bh - 1), 0, bw);
        VerticalDashes(bitmap, 0, 1, 0, bh, 0, 0);
        VerticalDashes(bitmap, bw - 1, bw, 0, bh, 0, 0);
    }
    for (uint32_t size : design.gridSizes) DrawGridRectangle(design, bitmap, dc.Get(), size);

    if (withLogo) {
        MemoryDC logoDC = CreateScreenCompatibleDC();
        SelectObjectScope logoScope(logoDC.Get(), logo);
        BitBlt(dc.Get(), ClampToInt(x), margin, logoSize.bmWidth, logoSize.bmHeight, logoDC.Get(), 0, 0, SRCCOPY);
    }

    const int tabOrigin = margin;
    const int shiftedTabStop = ClampToInt(L);
    long long y = y0;
    ForEachTerminatedLine(captionsText, [&](const std::string& line) {
        const LONG extent = TabbedTextOutA(dc.Get(), ClampToInt(x), ClampToInt(y), line.c_str(), TextLength(line), 1,
                                           &shiftedTabStop, tabOrigin);
        y += HIWORD(extent);
    });
    if (L != 0 && !notesText.empty())
        TextOutA(dc.Get(), ClampToInt(x), ClampToInt(y), notesLabel.c_str(), TextLength(notesLabel));
    const long long left = std::max<long long>(x, margin + L);
    RECT notes = {ClampToInt(left), ClampToInt(y), ClampToInt(std::min<long long>(left + W, bw - margin)),
                  ClampToInt(y)};
    DrawTextA(dc.Get(), notesText.c_str(), TextLength(notesText), &notes,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
    GdiFlush();  // the bits are read directly from here on
    result.bitmap = std::move(bitmap);
    return result;
}
