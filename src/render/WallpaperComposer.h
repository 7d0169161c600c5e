#pragma once
// Composes the one-bit wallpaper from its design: logo, captions, notes, sizing
// grid and border. A plain function of its inputs, called by the renderer for the
// window and the unattended runs alike.

#include <windows.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/MonoBitmap.h"

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

// What the wallpaper shows; colours are not part of it (the bitmap is ink and paper).
struct WallpaperDesign {
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
};

struct ComposedWallpaper {
    MonoBitmap bitmap;  // empty when it could not be made
    // The size the design asks for, made or not (larger than the largest wallpaper
    // when that is why there is no bitmap).
    long long width = 0;
    long long height = 0;
};

// `logo` may be null; `notesLabel` stands before notes that follow captions.
ComposedWallpaper ComposeWallpaper(const WallpaperDesign& design, HBITMAP logo, const std::string& notesLabel);
