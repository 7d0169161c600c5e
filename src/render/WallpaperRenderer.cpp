#include "render/WallpaperRenderer.h"

#include "render/BitmapFile.h"
#include "resources/resource.h"
#include "win/ResourceText.h"

WallpaperRenderer::WallpaperRenderer(HINSTANCE resources)
    : logo_(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LOGO))),
      notesLabel_(LoadResourceText(IDS_NOTES_LABEL, resources))
{
    MonoBitmap empty = MonoBitmap::Create(1, 1);
    if (empty) empty.FillPaper();
    wallpaper_ = std::make_shared<const MonoBitmap>(std::move(empty));
}

void WallpaperRenderer::Render(const WallpaperDesign& design)
{
    // The old wallpaper goes first: the largest are hundreds of MiB each.
    wallpaper_.reset();
    preview_.Withdraw();
    ComposedWallpaper composed = ComposeWallpaper(design, logo_.Get(), notesLabel_);
    requestedWidth_ = composed.width;
    requestedHeight_ = composed.height;
    wallpaper_ = std::make_shared<const MonoBitmap>(std::move(composed.bitmap));
    RequestPreview();
}

SIZE WallpaperRenderer::GetWallpaperSize() const
{
    return wallpaper_ ? SIZE{wallpaper_->Width(), wallpaper_->Height()} : SIZE{0, 0};
}

template <typename Path>
bool WallpaperRenderer::WriteWallpaper(const Path& path)
{
    if (!wallpaper_ || !*wallpaper_) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // the wallpaper could not be made
        return false;
    }
    const MonoBitmapInfo info = MakeMonoBitmapInfo(wallpaper_->Width(), wallpaper_->Height(), foreColor_, backColor_);
    return WriteBitmapFile(path, info, wallpaper_->Bits());
}

bool WallpaperRenderer::SaveBitmap(const std::string& path) { return WriteWallpaper(path); }
bool WallpaperRenderer::SaveBitmap(const std::wstring& path) { return WriteWallpaper(path); }
