#pragma once
// Making a written wallpaper file the desktop's wallpaper.

#include <string>

// Shown once, centred and not tiled ("WallpaperStyle" and "TileWallpaper" = "0" when
// the desktop key opens), then
// installed for this session and later logons, other programs told. Returns the
// system's answer to the installation.
bool InstallWallpaper(const std::string& path);
