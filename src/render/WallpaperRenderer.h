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

// The design's inputs are written by the main window (or the unattended run) before
// each Render().
class WallpaperRenderer : public WallpaperDesign {
public:
    // Loads the logo (bitmap 129) and the "Notes:" label (string 1000) from resources.
    explicit WallpaperRenderer(HINSTANCE resources = GetModuleHandleA(nullptr));
    WallpaperRenderer(const WallpaperRenderer&) = delete;
    WallpaperRenderer& operator=(const WallpaperRenderer&) = delete;

    COLORREF foreColor = 0x000000;
    COLORREF backColor = 0xFFFFFF;

    // Set after every render by the main window, cleared by a successful save.
    bool modified = false;

    // Rebuilds the wallpaper from the inputs, then requests a preview.
    void Render();
    // Width and height of the wallpaper that exists (0 x 0 when none could be made).
    SIZE GetWallpaperSize() const;
    // The size the last render asked for, made or not (larger than the largest
    // wallpaper when that is why none exists).
    long long RequestedWidth() const { return requestedWidth_; }
    long long RequestedHeight() const { return requestedHeight_; }
    // Writes the wallpaper in the current colours; clears `modified` on success. On
    // failure the thread's last error says why.
    bool SaveBitmap(const std::string& path);
    bool SaveBitmap(const std::wstring& path);

    // The Preview button; null means no preview is wanted.
    void SetPreviewWindow(HWND window) { preview_.SetWindow(window); }
    // Asks for a fresh preview in the current colours.
    void RequestPreview() { preview_.Request(wallpaper_, foreColor, backColor); }
    void PaintPreview(HDC dc, int x, int y) { preview_.Paint(dc, x, y); }
    SIZE GetPreviewSize() { return preview_.Size(); }

    // Diagnostics for tests and the benchmark.
    bool PreviewRunning() { return preview_.Running(); }
    long PreviewThreadsStarted() const { return preview_.ThreadsStarted(); }
    long PreviewThreadsAtOnce() const { return preview_.ThreadsAtOnce(); }
    bool HasLogo() const { return static_cast<bool>(logo_); }

private:
    template <typename Path>
    bool WriteWallpaper(const Path& path);

    BitmapHandle logo_;
    std::string notesLabel_;
    // Never changed once made: the preview worker may still be reading a replaced one.
    std::shared_ptr<const MonoBitmap> wallpaper_;
    long long requestedWidth_ = 0;
    long long requestedHeight_ = 0;
    PreviewWorker preview_;  // last: it ends its thread before the rest goes
};
