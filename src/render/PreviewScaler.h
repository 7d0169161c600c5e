#pragma once
// Reduces the one-bit wallpaper to the preview's size by area averaging: each
// preview pixel is the average colour of the wallpaper area it covers.

#include <windows.h>

#include <cstdint>

#include "render/MonoBitmap.h"

struct PreviewSize {
    int width = 0;
    int height = 0;
};

// The wallpaper fitted into the client area with its proportions, never enlarged.
PreviewSize FitPreviewSize(int clientWidth, int clientHeight, int wallpaperWidth, int wallpaperHeight);

// The reduced picture into size.width x size.height pixels that the caller provides (a
// DIB section's bits), top row first, as 0x00RRGGBB. Ink is shown in foreColor, paper
// in backColor.
void ReduceToPreview(const MonoBitmap& wallpaper, PreviewSize size, COLORREF foreColor, COLORREF backColor,
                     uint32_t* pixels);
