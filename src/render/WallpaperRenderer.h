#pragma once
// The wallpaper of the current design: composed on request, written as a two-colour
// BMP in the chosen colours, and shown through a preview kept up to date on a worker
// thread.

#include <windows.h>

#include <memory>
#include <string>

#include "render/MonoBitmap.h"
#include "render/PreviewWorker.h"
#include "render/WallpaperComposer.h"
#include "win/Handles.h"

class WallpaperRenderer {
public:
    // Loads the logo (bitmap 129) and the "Notes:" label (string 1000) from resources.
    explicit WallpaperRenderer(HINSTANCE resources = GetModuleHandleA(nullptr));
    WallpaperRenderer(const WallpaperRenderer&) = delete;
    WallpaperRenderer& operator=(const WallpaperRenderer&) = delete;

    // Rebuilds the wallpaper of the design, then requests a preview.
    void Render(const WallpaperDesign& design);
    // The ink and paper colours of saves and previews from now on.
    void SetColors(COLORREF ink, COLORREF paper)
    {
        foreColor_ = ink;
        backColor_ = paper;
    }
    // Width and height of the wallpaper that exists (0 x 0 when none could be made).
    SIZE GetWallpaperSize() const;
    // The size the last render asked for, made or not (larger than the largest
    // wallpaper when that is why none exists).
    long long RequestedWidth() const { return requestedWidth_; }
    long long RequestedHeight() const { return requestedHeight_; }
    // The wallpaper that exists (null or empty when none could be made), and its colours.
    const MonoBitmap* Wallpaper() const { return wallpaper_.get(); }
    COLORREF InkColor() const { return foreColor_; }
    COLORREF PaperColor() const { return backColor_; }
    // Writes the wallpaper in the current colours. On failure the thread's last error
    // says why.
    bool SaveBitmap(const std::string& path);
    bool SaveBitmap(const std::wstring& path);

    // The Preview button; null means no preview is wanted.
    void SetPreviewWindow(HWND window) { preview_.SetWindow(window); }
    // Asks for a fresh preview in the current colours.
    void RequestPreview() { preview_.Request(wallpaper_, foreColor_, backColor_); }
    void PaintPreview(HDC dc, int x, int y) { preview_.Paint(dc, x, y); }
    SIZE GetPreviewSize() { return preview_.Size(); }

    // Diagnostics for tests and the benchmark.
    bool PreviewRunning() { return preview_.Running(); }
    long PreviewThreadsStarted() const { return preview_.ThreadsStarted(); }
    long PreviewThreadsAtOnce() const { return preview_.ThreadsAtOnce(); }
    static long PreviewThreadsRunning() { return PreviewWorker::ThreadsRunningInProcess(); }

private:
    template <typename Path>
    bool WriteWallpaper(const Path& path);

    COLORREF foreColor_ = 0x000000;
    COLORREF backColor_ = 0xFFFFFF;
    BitmapHandle logo_;
    std::string notesLabel_;
    // Never changed once made: the preview worker may still be reading a replaced one.
    std::shared_ptr<const MonoBitmap> wallpaper_;
    long long requestedWidth_ = 0;
    long long requestedHeight_ = 0;
    PreviewWorker preview_;  // last: it ends its thread before the rest goes
};
