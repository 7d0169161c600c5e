#include "render/WallpaperRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/BitmapFile.h"
#include "render/PreviewScaler.h"
#include "resources/resource.h"
#include "win/ResourceText.h"
#include "win/WorkerThread.h"

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

WallpaperRenderer::WallpaperRenderer(HINSTANCE resources)
    : logo_(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LOGO))),
      notesLabel_(LoadResourceText(IDS_NOTES_LABEL, resources)),
      wallpaper_(MonoBitmap::Create(1, 1))
{
    if (wallpaper_) wallpaper_.FillPaper();
}

WallpaperRenderer::~WallpaperRenderer()
{
    {
        CriticalSectionLock lock(bitmapLock_);
        previewWindow_ = nullptr;
        previewPending_ = true;  // a pass under way drops its result
    }
    while (InterlockedCompareExchange(&liveThreads_, 0, 0) != 0) Sleep(1);
}

SIZE WallpaperRenderer::MeasureWrapped(HDC dc, int width, int top)
{
    // Word wrapping is greedy: a width that produced a block r wide breaks the text
    // exactly the same for every width from r up to itself, so those need no new
    // measurement. (A block wider than its width holds a word that fits nowhere.)
    for (const WrappedMeasure& known : wrappedMeasures_)
        if (known.block.cx <= width && width <= known.width) return known.block;
    RECT rect = {0, top, width, top};
    DrawTextA(dc, notesText.c_str(), TextLength(notesText), &rect, MEASURE_WRAPPED);
    const SIZE block = {rect.right, rect.bottom};
    wrappedMeasures_.push_back({width, block});
    return block;
}

int WallpaperRenderer::NotesWidth(HDC dc, int top)
{
    // Wraps notes-only text so that the block approaches the screen's proportions:
    // the size of a maximised window's client area. Read once: it is costly to ask
    // for and cannot change within one render.
    const long long cx = GetSystemMetrics(SM_CXFULLSCREEN), cy = GetSystemMetrics(SM_CYFULLSCREEN);
    RECT rect = {0, top, 0, top};
    DrawTextA(dc, notesText.c_str(), TextLength(notesText), &rect, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    const SIZE natural = {rect.right, rect.bottom};
    if (!(cy * natural.cx > cx * natural.cy)) return natural.cx;

    // Any width from the natural one up wraps nothing.
    wrappedMeasures_.push_back({INT_MAX, natural});
    const long long widestRun = WidestUnbreakableRun(dc, notesText);
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
        for (const WrappedMeasure& known : wrappedMeasures_)
            if (known.width >= width) lowestBottom = std::max<long long>(lowestBottom, known.block.cy);
        bool narrower;
        if (cy * std::max<long long>(width, widestRun) < cx * lowestBottom) {
            narrower = true;
            lastMeasured = false;
        } else {
            measured = MeasureWrapped(dc, width, top);
            narrower = cy * measured.cx < cx * measured.cy;
            lastMeasured = true;
        }
        if (narrower) best += step;
        step = (std::abs(step) + 1) / 2;
        if (step == 0 || ++trials == 100) break;
    }
    if (!lastMeasured) measured = MeasureWrapped(dc, width, top);
    return measured.cx;
}

void WallpaperRenderer::Render()
{
    MemoryDC dc = CreateScreenCompatibleDC();
    FontHandle textFont(CreateFontIndirectA(&font));
    SelectObjectScope fontScope(dc.Get(), textFont ? static_cast<HGDIOBJ>(textFont.Get()) : GetStockObject(SYSTEM_FONT));
    wrappedMeasures_.clear();

    BITMAP logoSize = {};
    const bool withLogo = logoEnabled && logo_ && GetObjectA(logo_.Get(), sizeof logoSize, &logoSize);
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
            // Without captions the notes start at 0, as the width search measured them.
            W = std::max<long long>(W, NotesWidth(dc.Get(), ClampToInt(H)));
            H = MeasureWrapped(dc.Get(), ClampToInt(W), ClampToInt(H)).cy + static_cast<long long>(margin);
        } else {
            RECT notes = {ClampToInt(L), ClampToInt(H), ClampToInt(W), ClampToInt(H)};
            DrawTextA(dc.Get(), notesText.c_str(), TextLength(notesText), &notes, MEASURE_WRAPPED);
            H = notes.bottom + static_cast<long long>(margin);
        }
    }

    const long long width = W + 2LL * margin;
    const long long height = H != 0 ? H + margin : 2LL * margin;
    long long bw = width, bh = height;
    if (minWidth > 0 || minHeight > 0) {
        bw = std::max<long long>(minWidth, width);
        bh = std::max<long long>(minHeight, height);
        if (!flipHorizontal) {
            const long long extra = bw - width;
            x += extra;
            if (L != 0) L += extra;
        }
    }
    // A zero-sized bitmap is made 1 x 1, as the platform does for CreateBitmap.
    bw = std::max(bw, 1LL);
    bh = std::max(bh, 1LL);
    requestedWidth_ = bw;
    requestedHeight_ = bh;

    {
        CriticalSectionLock lock(bitmapLock_);
        wallpaper_ = MonoBitmap();
        // Larger ones are refused before anything is allocated: the system would hand out
        // a bitmap of several GiB that later drawing faults on.
        if (bw <= MAX_WALLPAPER_SIDE && bh <= MAX_WALLPAPER_SIDE)
            wallpaper_ = MonoBitmap::Create(static_cast<int>(bw), static_cast<int>(bh));
        if (wallpaper_) {
            SelectObjectScope bitmapScope(dc.Get(), wallpaper_.Handle());
            wallpaper_.FillPaper();
            if (border) {
                wallpaper_.InkRun(0, 0, bw);
                wallpaper_.InkRun(static_cast<int>(bh - 1), 0, bw);
                VerticalDashes(wallpaper_, 0, 1, 0, bh, 0, 0);
                VerticalDashes(wallpaper_, bw - 1, bw, 0, bh, 0, 0);
            }
            for (uint32_t size : gridSizes) DrawGridRectangle(dc.Get(), size);

            if (withLogo) {
                MemoryDC logoDC = CreateScreenCompatibleDC();
                SelectObjectScope logoScope(logoDC.Get(), logo_.Get());
                BitBlt(dc.Get(), ClampToInt(x), margin, logoSize.bmWidth, logoSize.bmHeight, logoDC.Get(), 0, 0,
                       SRCCOPY);
            }

            const int tabOrigin = margin;
            const int shiftedTabStop = ClampToInt(L);
            long long y = y0;
            ForEachTerminatedLine(captionsText, [&](const std::string& line) {
                const LONG extent = TabbedTextOutA(dc.Get(), ClampToInt(x), ClampToInt(y), line.c_str(),
                                                   TextLength(line), 1, &shiftedTabStop, tabOrigin);
                y += HIWORD(extent);
            });
            if (L != 0 && !notesText.empty())
                TextOutA(dc.Get(), ClampToInt(x), ClampToInt(y), notesLabel_.c_str(), TextLength(notesLabel_));
            const long long left = std::max<long long>(x, margin + L);
            RECT notes = {ClampToInt(left), ClampToInt(y), ClampToInt(std::min<long long>(left + W, bw - margin)),
                          ClampToInt(y)};
            DrawTextA(dc.Get(), notesText.c_str(), TextLength(notesText), &notes,
                      DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
            GdiFlush();  // the bits are read directly from here on
        }
    }
    RequestPreview();
}

void WallpaperRenderer::DrawGridRectangle(HDC dc, uint32_t size)
{
    const long long w = size & 0xFFFF, h = size >> 16;
    const long long lineSize = gridLineSize;
    const long long t = lineSize > 1 ? lineSize : 1;
    const long long bw = wallpaper_.Width();
    const long long x0 = flipHorizontal ? 0 : bw - w, x1 = x0 + w;
    const long long r = bw % (2 * t);
    const long long topPhase = flipHorizontal ? 0 : 3 * t - r;
    const long long bottomPhase = flipHorizontal ? t : 2 * t - r;
    const long long leftPhase = flipHorizontal ? 0 : t;
    const long long rightPhase = flipHorizontal ? t : 0;

    GdiFlush();  // earlier labels are complete before bits are set directly
    HorizontalDashes(wallpaper_, 0, t, x0, x1, topPhase, lineSize, true);
    HorizontalDashes(wallpaper_, h - t, h, x0, x1, bottomPhase, lineSize, true);
    VerticalDashes(wallpaper_, x0, x0 + t, 0, h, leftPhase, lineSize);
    VerticalDashes(wallpaper_, x1 - t, x1, 0, h, rightPhase, lineSize);
    if (taskBarLines) {
        HorizontalDashes(wallpaper_, h - t - 30, h - 30, x0, x1, bottomPhase, lineSize, lineSize == 0);
        const long long from = flipHorizontal ? w - 80 - t : x0 + 80;
        VerticalDashes(wallpaper_, from, from + t, 0, h, t, lineSize);
    }

    char label[32];
    std::snprintf(label, sizeof label, "%d x %d", static_cast<int>(w), static_cast<int>(h));
    const std::string measured = std::string(label) + "  ";
    RECT extent = {0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), TextLength(measured), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    const long long labelWidth = extent.right - extent.left, textHeight = extent.bottom - extent.top;
    RECT band = {ClampToInt(x0 + margin), ClampToInt(h - t - std::max(textHeight, 30LL)), ClampToInt(x1 - margin),
                 ClampToInt(h - t)};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX;
    const int length = TextLength(label);
    DrawTextA(dc, label, length, &band, format | (flipHorizontal ? DT_LEFT : DT_RIGHT));
    const long long bandWidth = static_cast<long long>(band.right) - band.left;
    if (bandWidth > 2 * labelWidth) DrawTextA(dc, label, length, &band, format | (flipHorizontal ? DT_RIGHT : DT_LEFT));
    if (bandWidth > 3 * labelWidth) DrawTextA(dc, label, length, &band, format | DT_CENTER);
}

SIZE WallpaperRenderer::GetWallpaperSize()
{
    CriticalSectionLock lock(bitmapLock_);
    return SIZE{wallpaper_.Width(), wallpaper_.Height()};
}

template <typename Path>
bool WallpaperRenderer::WriteWallpaper(const Path& path)
{
    CriticalSectionLock lock(bitmapLock_);
    if (!wallpaper_) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // the wallpaper could not be made
        return false;
    }
    const MonoBitmapInfo info = MakeMonoBitmapInfo(wallpaper_.Width(), wallpaper_.Height(), foreColor, backColor);
    if (!WriteBitmapFile(path, info, wallpaper_.Bits())) return false;
    modified = false;
    return true;
}

bool WallpaperRenderer::SaveBitmap(const std::string& path) { return WriteWallpaper(path); }
bool WallpaperRenderer::SaveBitmap(const std::wstring& path) { return WriteWallpaper(path); }

void WallpaperRenderer::SetPreviewWindow(HWND window)
{
    CriticalSectionLock lock(bitmapLock_);
    previewWindow_ = window;
}

void WallpaperRenderer::RequestPreview()
{
    CriticalSectionLock lock(bitmapLock_);
    previewPending_ = true;
    previewFore_ = foreColor;
    previewBack_ = backColor;
    // Without a window no preview is wanted: a thread would end at once.
    if (previewRunning_ || !previewWindow_) return;
    previewRunning_ = true;
    const long live = InterlockedIncrement(&liveThreads_);
    if (live > previewThreadsAtOnce_) previewThreadsAtOnce_ = live;
    if (StartWorkerThread(PreviewThreadProc, this, THREAD_PRIORITY_IDLE)) {
        InterlockedIncrement(&previewThreadsStarted_);
    } else {
        previewRunning_ = false;
        InterlockedDecrement(&liveThreads_);
    }
}

DWORD WINAPI WallpaperRenderer::PreviewThreadProc(void* parameter)
{
    auto* renderer = static_cast<WallpaperRenderer*>(parameter);
    for (;;) {
        HWND window;
        {
            CriticalSectionLock lock(renderer->bitmapLock_);
            window = renderer->previewWindow_;
            renderer->previewPending_ = false;
        }
        if (window) renderer->RunPreviewPass(window);
        // Checked and cleared under the lock that requests take, so no request is lost.
        CriticalSectionLock lock(renderer->bitmapLock_);
        if (renderer->previewPending_ && renderer->previewWindow_) continue;
        renderer->previewRunning_ = false;
        break;
    }
    // The last touch of the renderer: its destructor waits for this count to reach 0.
    InterlockedDecrement(&renderer->liveThreads_);
    return 0;
}

void WallpaperRenderer::RunPreviewPass(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    PreviewSize size;
    BitmapHandle bitmap;
    {
        CriticalSectionLock lock(bitmapLock_);
        if (previewPending_) return;  // a newer wallpaper is on its way
        size = FitPreviewSize(client.right, client.bottom, wallpaper_.Width(), wallpaper_.Height());
        if (size.width > 0 && size.height > 0) {
            // The reduction writes straight into the preview's own bits.
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = size.width;
            info.bmiHeader.biHeight = -size.height;  // top row first
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
            if (!bitmap || !bits) return;
            ReduceToPreview(wallpaper_, size, previewFore_, previewBack_, static_cast<uint32_t*>(bits));
        }
    }
    if (previewPending_) return;  // stale: dropped unseen
    {
        CriticalSectionLock lock(previewLock_);
        preview_ = std::move(bitmap);
        previewSize_ = preview_ ? SIZE{size.width, size.height} : SIZE{0, 0};
    }
    InvalidateRect(window, nullptr, TRUE);
}

void WallpaperRenderer::PaintPreview(HDC dc, int x, int y)
{
    CriticalSectionLock lock(previewLock_);
    if (!preview_) return;
    MemoryDC source(CreateCompatibleDC(dc));
    SelectObjectScope scope(source.Get(), preview_.Get());
    BitBlt(dc, x, y, previewSize_.cx, previewSize_.cy, source.Get(), 0, 0, SRCCOPY);
}

SIZE WallpaperRenderer::GetPreviewSize()
{
    CriticalSectionLock lock(previewLock_);
    return previewSize_;
}

bool WallpaperRenderer::PreviewRunning()
{
    CriticalSectionLock lock(bitmapLock_);
    return previewRunning_;
}
