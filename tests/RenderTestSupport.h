#pragma once
// Reading back what the renderer made: its BMP file as a picture of ink and paper.

#include <windows.h>

#include <cstdint>
#include <string>

#include "render/WallpaperRenderer.h"

struct Picture {
    int width = 0;
    int height = 0;
    uint32_t colors[2] = {0, 0};  // file colour entries as 0x00RRGGBB
    std::string file;             // the whole file

    bool Ink(int x, int y) const;
    // Ink pixels inside [x0, x1) x [y0, y1).
    int InkCount(int x0, int y0, int x1, int y1) const;
    // Rightmost ink column in the rows [y0, y1), or -1.
    int RightmostInk(int y0, int y1) const;
    bool SamePixels(const Picture& other) const;
};

// Parses a one-bit BMP file; width 0 when it is not one.
Picture ReadPicture(const std::string& path);

// A renderer with plain inputs: Arial bold 13 pixels, margin 10, no logo.
void PlainInputs(WallpaperRenderer& renderer);
// The same font for measuring in tests.
LOGFONTA TestFont();

// Renders and reads the result back through a file in the temp folder.
Picture Snapshot(WallpaperRenderer& renderer);
