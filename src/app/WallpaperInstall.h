#pragma once
// Making a written wallpaper file the desktop's wallpaper.

#include <string>

// Shown once, centred and not tiled ("WallpaperStyle" and "TileWallpaper" = "0"),
// then installed for this session and later logons, other programs told. False,
// with the thread's last error, when a registry value could not be written or the
// system refused the wallpaper.
bool InstallWallpaper(const std::string& path);
