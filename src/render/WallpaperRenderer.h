#pragma once
// Composes the one-bit wallpaper (logo, captions, notes, sizing grid, border),
// writes it as a two-colour BMP and keeps a scaled colour preview up to date on
// a worker thread.

#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/MonoBitmap.h"
#include "win/Handles.h"
#include "win/Sync.h"

// The largest wallpaper made, a side in pixels: a screen size's sides are 16-bit,
// and the 512 MiB of a 65535 x 65535 bitmap is within what every step addresses.
constexpr long long MAX_WALLPAPER_SIDE = 65535;

// The nearest int: sizes are worked out in 64 bits and handed to GDI in 32.
inline int ClampToInt(long long value)
{
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

// Pixel width of the widest label of captions or notes (a line's text before its first
// TAB, or the whole line), each measured with two blanks after it. Lines end at LF;
// a text ending in LF has no empty last line; CRs do not count.
int WidestLabel(const std::string& text, const std::function<int(const std::string&)>& measure);

class WallpaperRenderer {
public:
    // Loads the logo (bitmap 129) and the "Notes:" label (string 1000) from resources.
    explicit WallpaperRenderer(HINSTANCE resources = GetModuleHandleA(nullptr));
    // Makes a running preview thread end before anything it uses goes away.
    virtual ~WallpaperRenderer();
    WallpaperRenderer(const WallpaperRenderer&) = delete;
    WallpaperRenderer& operator=(const WallpaperRenderer&) = delete;

    // Inputs, written by the main window before each Render().
    COLORREF foreColor = 0x000000;
    COLORREF backColor = 0xFFFFFF;
    LOGFONTA font{};
    int margin = 10;
    bool border = false;
    bool logoEnabled = true;  // the Logo section: while off, the logo is left out
    std::string captionsText;  // "label TAB value LF" lines
    std::string notesText;     // lines separated by CR LF
    int minWidth = 0;
    int minHeight = 0;
    std::vector<uint32_t> gridSizes;  // packed: width low 16 bits, height high 16 bits
    int gridLineSize = 2;
    bool taskBarLines = false;
    bool flipHorizontal = false;

    // Set after every render by the main window, cleared by a successful save.
    bool modified = false;

    // Rebuilds the wallpaper from the inputs, then requests a preview.
    void Render();
    // Width and height of the wallpaper that exists (0 x 0 when none could be made).
    SIZE GetWallpaperSize();
    // The size the last render asked for, made or not (larger than the largest
    // wallpaper when that is why none exists).
    long long RequestedWidth() const { return requestedWidth_; }
    long long RequestedHeight() const { return requestedHeight_; }
    // Writes the wallpaper in the current colours; clears `modified` on success. On
    // failure the thread's last error says why.
    bool SaveBitmap(const std::string& path);
    bool SaveBitmap(const std::wstring& path);

    // The Preview button; null means no preview is wanted.
    void SetPreviewWindow(HWND window);
    // Asks the preview thread for a fresh scaled preview (one thread at most).
    void RequestPreview();
    // Paints the preview at (x, y), as large as it is; nothing before the first one.
    void PaintPreview(HDC dc, int x, int y);
    // Size of the current preview (0 x 0 when there is none).
    SIZE GetPreviewSize();

    // Diagnostics for tests and the benchmark.
    bool PreviewRunning();
    long PreviewThreadsStarted() const { return previewThreadsStarted_; }
    // The most preview threads that ever ran at once.
    long PreviewThreadsAtOnce() const { return previewThreadsAtOnce_; }
    bool HasLogo() const { return static_cast<bool>(logo_); }

private:
    template <typename Path>
    bool WriteWallpaper(const Path& path);
    static DWORD WINAPI PreviewThreadProc(void* parameter);
    void RunPreviewPass(HWND window);
    int NotesWidth(HDC dc, int top);
    SIZE MeasureWrapped(HDC dc, int width, int top);
    void DrawGridRectangle(HDC dc, uint32_t size);

    CriticalSection bitmapLock_;   // wallpaper_, previewPending_, previewRunning_, previewWindow_
    CriticalSection previewLock_;  // preview_
    BitmapHandle logo_;
    std::string notesLabel_;
    MonoBitmap wallpaper_;
    BitmapHandle preview_;
    SIZE previewSize_{0, 0};
    HWND previewWindow_ = nullptr;
    std::atomic<bool> previewPending_{false};
    bool previewRunning_ = false;
    COLORREF previewFore_ = 0x000000;  // the colours of the latest request
    COLORREF previewBack_ = 0xFFFFFF;
    volatile long liveThreads_ = 0;
    volatile long previewThreadsStarted_ = 0;
    volatile long previewThreadsAtOnce_ = 0;
    // Wrapped-notes measurements of this render: the width asked for and the
    // block's resulting right edge and bottom.
    struct WrappedMeasure {
        int width;
        SIZE block;
    };
    std::vector<WrappedMeasure> wrappedMeasures_;
    long long requestedWidth_ = 0;
    long long requestedHeight_ = 0;
};
