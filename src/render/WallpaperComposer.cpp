#include "render/WallpaperComposer.h"

#include <algorithm>
#include <cstdlib>

#include "common/PackedSize.h"
#include "render/NotesLayout.h"
#include "win/Handles.h"
#include "win/Placement.h"

namespace {

constexpr UINT MEASURE_WRAPPED = DT_CALCRECT | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;

// The task-bar lines of a grid rectangle: a task bar docked at the bottom is 30 pixels
// high at 96 DPI (Windows 95 to 7), one docked at the left as wide as its Start button,
// 80 pixels. The size label stands in a band at least as high as the bottom task bar.
constexpr long long TASK_BAR_HEIGHT = 30;
constexpr long long START_BUTTON_WIDTH = 80;

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

// One screen size's rectangle (anchored at the top right, the top left when flipped),
// with its label along the bottom edge; `dc` has the bitmap and the font selected.
void DrawGridRectangle(const WallpaperDesign& design, const PixelRect& rect, MonoBitmap& bitmap, HDC dc)
{
    const bool flip = design.flipHorizontal;
    const long long w = rect.right - rect.left, h = rect.bottom - rect.top;
    const long long lineSize = design.gridLineSize;
    const long long t = lineSize > 1 ? lineSize : 1;
    const long long bw = bitmap.Width();
    const long long x0 = rect.left, x1 = rect.right;
    // The dashes are counted from the corner the rectangles are anchored at (the
    // wallpaper's right edge; its left when flipped), so that rectangles of every size
    // share one pattern where their edges lie on each other. `r` is how far the right
    // edge stands from a whole dash period (ink and gap, 2t) counted from the left.
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
        HorizontalDashes(bitmap, h - t - TASK_BAR_HEIGHT, h - TASK_BAR_HEIGHT, x0, x1, bottomPhase, lineSize,
                         lineSize == 0);
        const long long from = flip ? w - START_BUTTON_WIDTH - t : x0 + START_BUTTON_WIDTH;
        VerticalDashes(bitmap, from, from + t, 0, h, t, lineSize);
    }

    const std::string text = SizeLabel(PackSize(static_cast<uint16_t>(w), static_cast<uint16_t>(h)));
    const char* label = text.c_str();
    const std::string measured = text + "  ";
    RECT extent = {0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), TextLength(measured), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    const long long labelWidth = extent.right - extent.left, textHeight = extent.bottom - extent.top;
    const long long margin = design.margin;
    RECT band = {ClampToInt(x0 + margin), ClampToInt(h - t - std::max(textHeight, TASK_BAR_HEIGHT)), ClampToInt(x1 - margin),
                 ClampToInt(h - t)};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX;
    const int length = TextLength(text);
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

long long CaptionLineWidth(HDC dc, const std::string& line, int tabStop)
{
    if (tabStop <= 0) return LOWORD(GetTabbedTextExtentA(dc, line.c_str(), TextLength(line), 1, &tabStop));
    long long x = 0;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        const std::string piece = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, piece.c_str(), TextLength(piece), &extent);
        x += extent.cx;
        if (tab == std::string::npos) return x;
        x = (x / tabStop + 1) * tabStop;
        start = tab + 1;
    }
}

WallpaperLayout MeasureWallpaper(const WallpaperDesign& design, SIZE logo, HDC dc)
{
    const std::string& captionsText = design.captionsText;
    const std::string& notesText = design.notesText;
    const long long margin = design.margin;
    const bool withLogo = logo.cx > 0 && logo.cy > 0;

    // The content (logo, captions, notes) is measured from the top left margin corner.
    long long contentWidth = 0, contentHeight = 0;
    if (withLogo) {
        contentWidth = logo.cx;
        contentHeight = logo.cy + margin;
    }
    const long long captionsTop = contentHeight;
    long long label = WidestLabel(captionsText, [dc](const std::string& text) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text.c_str(), TextLength(text), &extent);
        return static_cast<int>(extent.cx);
    });
    const int tabStop = ClampToInt(label);
    long long notesTop = captionsTop, notesBottom = captionsTop;
    std::vector<long long> captionTops;
    std::string paintedNotes = notesText;
    if (!captionsText.empty() || !notesText.empty()) {
        ForEachTerminatedLine(captionsText, [&](const std::string& line) {
            captionTops.push_back(contentHeight);
            contentWidth = std::max(contentWidth, CaptionLineWidth(dc, line, tabStop));
            contentHeight += HIWORD(GetTabbedTextExtentA(dc, line.c_str(), TextLength(line), 1, &tabStop));
        });
        notesTop = contentHeight;
        if (captionsText.empty()) {
            // The search and the final block are measured from the same top edge.
            NotesLayout notes(dc, notesText, ClampToInt(contentHeight));
            contentWidth = std::max<long long>(
                contentWidth, notes.SearchWidth(design.screen.cx, design.screen.cy));
            notesBottom = notes.Wrapped(ClampToInt(contentWidth)).cy;
        } else {
            // The column beside the captions has the captions' width: no word may be wider.
            paintedNotes = BreakWiderWords(dc, notesText, ClampToInt(contentWidth - label));
            RECT notes = {ClampToInt(label), ClampToInt(contentHeight), ClampToInt(contentWidth),
                          ClampToInt(contentHeight)};
            DrawTextA(dc, paintedNotes.c_str(), TextLength(paintedNotes), &notes, MEASURE_WRAPPED);
            notesBottom = notes.bottom;
        }
        contentHeight = notesBottom + margin;
    }

    WallpaperLayout layout;
    const long long width = contentWidth + 2 * margin;
    const long long height = contentHeight != 0 ? contentHeight + margin : 2 * margin;
    long long left = margin, top = margin, bw = width, bh = height;
    PixelRect frame = {0, 0, width, height};
    if (design.position != 0 && design.monitor.cx > 0 && design.monitor.cy > 0) {
        // The content with its margin in a corner of the monitor's work area.
        bw = std::max<long long>(design.monitor.cx, width);
        bh = std::max<long long>(design.monitor.cy, height);
        const POINT corner = CornerOf(design.workArea, {ClampToInt(width), ClampToInt(height)}, design.position);
        const long long dx = std::min<long long>(corner.x, bw - width), dy = std::min<long long>(corner.y, bh - height);
        frame = {dx, dy, dx + width, dy + height};
        left += dx;
        top += dy;
        if (label != 0) label += dx;
    } else if (design.minWidth > 0 || design.minHeight > 0) {
        bw = std::max<long long>(design.minWidth, width);
        bh = std::max<long long>(design.minHeight, height);
        frame = {0, 0, bw, bh};
        if (!design.flipHorizontal) {
            // The content keeps to the right, clear of the grid's labels on the left.
            left += bw - width;
            if (label != 0) label += bw - width;
        }
    }
    // A zero-sized bitmap is made 1 x 1, as the platform does for CreateBitmap.
    layout.width = std::max(bw, 1LL);
    layout.height = std::max(bh, 1LL);
    layout.frame = frame;
    if (withLogo) layout.logo = {left, top, left + logo.cx, top + logo.cy};
    layout.captions = {left, captionsTop + top, left + contentWidth, notesTop + top};
    for (long long lineTop : captionTops) layout.captionTops.push_back(lineTop + top);
    layout.tabStop = ClampToInt(label);
    layout.notesLabel = label != 0 && !notesText.empty();
    layout.notesText = std::move(paintedNotes);
    const long long notesLeft = std::max(left, margin + label);
    layout.notes = {notesLeft, notesTop + top, std::min(notesLeft + contentWidth, frame.right - margin),
                    notesBottom + top};
    for (uint32_t size : design.gridSizes) {
        const long long w = PackedWidth(size), h = PackedHeight(size);
        const long long gridLeft = design.flipHorizontal ? 0 : layout.width - w;
        layout.grid.push_back({gridLeft, 0, gridLeft + w, h});
    }
    return layout;
}

namespace {

// Paints the measured layout into a bitmap of its size; `dc` has the font selected.
MonoBitmap PaintWallpaper(const WallpaperDesign& design, const WallpaperLayout& layout, HBITMAP logo,
                          const std::string& notesLabel, HDC dc)
{
    const long long bw = layout.width, bh = layout.height;
    MonoBitmap bitmap = MonoBitmap::Create(static_cast<int>(bw), static_cast<int>(bh));
    if (!bitmap) return bitmap;

    SelectObjectScope bitmapScope(dc, bitmap.Handle());
    bitmap.FillPaper();
    if (design.border) {
        const PixelRect& f = layout.frame;
        bitmap.InkRun(static_cast<int>(f.top), f.left, f.right);
        bitmap.InkRun(static_cast<int>(f.bottom - 1), f.left, f.right);
        VerticalDashes(bitmap, f.left, f.left + 1, f.top, f.bottom, 0, 0);
        VerticalDashes(bitmap, f.right - 1, f.right, f.top, f.bottom, 0, 0);
    }
    for (const PixelRect& rect : layout.grid) DrawGridRectangle(design, rect, bitmap, dc);

    if (logo && layout.logo.right > layout.logo.left) {
        MemoryDC logoDC = CreateScreenCompatibleDC();
        SelectObjectScope logoScope(logoDC.Get(), logo);
        BitBlt(dc, ClampToInt(layout.logo.left), ClampToInt(layout.logo.top),
               ClampToInt(layout.logo.right - layout.logo.left), ClampToInt(layout.logo.bottom - layout.logo.top),
               logoDC.Get(), 0, 0, SRCCOPY);
    }

    const int tabOrigin = design.margin;
    const int left = ClampToInt(layout.captions.left);
    size_t line = 0;
    ForEachTerminatedLine(design.captionsText, [&](const std::string& text) {
        TabbedTextOutA(dc, left, ClampToInt(layout.captionTops[line++]), text.c_str(), TextLength(text), 1,
                       &layout.tabStop, tabOrigin);
    });
    const int notesTop = ClampToInt(layout.notes.top);
    if (layout.notesLabel) TextOutA(dc, left, notesTop, notesLabel.c_str(), TextLength(notesLabel));
    RECT notes = {ClampToInt(layout.notes.left), notesTop, ClampToInt(layout.notes.right), notesTop};
    DrawTextA(dc, layout.notesText.c_str(), TextLength(layout.notesText), &notes,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
    GdiFlush();  // the bits are read directly from here on
    return bitmap;
}

}  // namespace

ComposedWallpaper ComposeWallpaper(const WallpaperDesign& design, HBITMAP logo, const std::string& notesLabel)
{
    MemoryDC dc = CreateScreenCompatibleDC();
    FontHandle textFont(CreateFontIndirectA(&design.font));
    SelectObjectScope fontScope(dc.Get(), textFont ? static_cast<HGDIOBJ>(textFont.Get()) : GetStockObject(SYSTEM_FONT));

    BITMAP logoBits = {};
    SIZE logoSize = {0, 0};
    if (design.logoEnabled && logo && GetObjectA(logo, sizeof logoBits, &logoBits))
        logoSize = {logoBits.bmWidth, logoBits.bmHeight};
    const WallpaperLayout layout = MeasureWallpaper(design, logoSize, dc.Get());

    ComposedWallpaper result;
    result.width = layout.width;
    result.height = layout.height;
    // Larger ones are refused before anything is allocated: the system would hand out
    // a bitmap of several GiB that later drawing faults on.
    if (layout.width > MAX_WALLPAPER_SIDE || layout.height > MAX_WALLPAPER_SIDE) return result;
    result.bitmap = PaintWallpaper(design, layout, logoSize.cx ? logo : nullptr, notesLabel, dc.Get());
    return result;
}
