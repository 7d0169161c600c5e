#pragma once
// Composes the one-bit wallpaper from its design: logo, captions, notes, sizing
// grid and border. A plain function of its inputs, called by the renderer for the
// window and the unattended runs alike.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/IntClamp.h"
#include "render/MonoBitmap.h"

// The largest wallpaper made, a side in pixels: a screen size's sides are 16-bit,
// and the 512 MiB of a 65535 x 65535 bitmap is within what every step addresses.
constexpr long long MAX_WALLPAPER_SIDE = 65535;

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
    // The screen whose proportions notes alone are wrapped to (the full-screen window's
    // client area: the screen less the task bar).
    SIZE screen{1024, 768};
    // 1 to 4: the content in that corner of the work area (top left, top right, bottom
    // left, bottom right) on a wallpaper of the monitor's size; 0: the content alone,
    // centred by Windows. The work area is counted from the monitor's top-left corner.
    int position = 0;
    SIZE monitor{0, 0};
    RECT workArea{0, 0, 0, 0};
    int minWidth = 0;
    int minHeight = 0;
    std::vector<uint32_t> gridSizes;  // packed: width low 16 bits, height high 16 bits
    int gridLineSize = 2;
    bool taskBarLines = false;
    bool flipHorizontal = false;
};

// A rectangle in the wallpaper's pixels, kept in 64 bits as measured (a design may
// ask for more than any bitmap holds).
struct PixelRect {
    long long left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// Where each part of the wallpaper goes: measured without drawing anything.
struct WallpaperLayout {
    long long width = 1, height = 1;  // the bitmap the design asks for
    PixelRect frame;                  // the content and its margin: the border goes round it
    PixelRect logo;                   // empty without a logo
    PixelRect captions;               // each line starts at its left edge
    std::vector<long long> captionTops;  // the top of each caption line
    int tabStop = 0;                  // the captions' one tab stop, counted from the margin
    bool notesLabel = false;          // the notes label stands at the captions' left edge, at the notes' top
    PixelRect notes;                  // the notes wrap within left..right from top; bottom as measured
    std::string notesText;            // the notes as painted: beside captions, wider words broken
    std::vector<PixelRect> grid;      // one per screen size, in the design's order
};

// A caption line's width as TabbedTextOut places it on one tab stop (multiples of
// `tabStop`), in 64 bits: GetTabbedTextExtent answers in 16. `dc` has the font.
long long CaptionLineWidth(HDC dc, const std::string& line, int tabStop);

// `dc` has the design's font selected; `logo` is 0 x 0 when none is shown.
WallpaperLayout MeasureWallpaper(const WallpaperDesign& design, SIZE logo, HDC dc);

struct ComposedWallpaper {
    MonoBitmap bitmap;  // empty when it could not be made
    // The size the design asks for, made or not (larger than the largest wallpaper
    // when that is why there is no bitmap).
    long long width = 0;
    long long height = 0;
};

// `logo` may be null; `notesLabel` stands before notes that follow captions.
ComposedWallpaper ComposeWallpaper(const WallpaperDesign& design, HBITMAP logo, const std::string& notesLabel);
