#pragma once
// Every stored choice of the wallpaper, in the slices that its holders keep:
// the General, Captions, Notes and Grid pages and the main window (output).
// The initial values below are the defaults: the reset pass and the comparisons
// of a save take them from here.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "captions/CaptionItems.h"
#include "settings/ScreenSizeList.h"

// Where the content stands without the grid: the wallpaper of old, centred at its own
// size, or a corner of the primary monitor's work area on a wallpaper of that monitor's size.
enum WallpaperPosition : int32_t { POSITION_CENTRE = 0, POSITION_TOP_LEFT, POSITION_TOP_RIGHT, POSITION_BOTTOM_LEFT,
                                   POSITION_BOTTOM_RIGHT, POSITION_COUNT };
// The content centred on a picture of the monitor's size: the lock screen's, never stored.
constexpr int32_t POSITION_MONITOR_CENTRE = POSITION_COUNT;

// Colour modes of the General page.
enum ColorMode : int32_t { COLOR_MODE_SYSTEM = 0, COLOR_MODE_REVERSED = 1, COLOR_MODE_CUSTOM = 2 };

constexpr COLORREF WHITE_COLOR = 0xFFFFFF;
constexpr COLORREF BLACK_COLOR = 0x000000;
constexpr int CUSTOM_COLOR_COUNT = 16;

struct GeneralSettings {
    int32_t captions = 1;  // section flags
    int32_t notes = 1;
    int32_t grid = 0;
    int32_t logo = 1;
    int32_t border = 0;
    uint32_t margins = 10;
    int32_t position = POSITION_CENTRE;  // a file's value outside the choices reads as centre
    LOGFONTA font{};
    // The resolution (dots per inch) the font was chosen at, stored with it; 0 while the
    // font is the default one, which is made for the screen it is drawn on.
    int32_t fontDpi = 0;
    int32_t colorSelect = COLOR_MODE_REVERSED;
    COLORREF foregroundColor = BLACK_COLOR;
    COLORREF backgroundColor = WHITE_COLOR;
    std::array<COLORREF, CUSTOM_COLOR_COUNT> customColors = AllWhite();

    static constexpr std::array<COLORREF, CUSTOM_COLOR_COUNT> AllWhite()
    {
        std::array<COLORREF, CUSTOM_COLOR_COUNT> colors = {};
        for (COLORREF& color : colors) color = WHITE_COLOR;
        return colors;
    }
};

// The largest margin the General page takes, and the grid's line sizes (0 solid, 1 to
// 6 dashed) the Grid page offers. A settings file's values beyond them are brought to
// the nearest one when it is loaded, so the window and the logon runs draw alike.
constexpr uint32_t MAX_MARGIN = 100;
constexpr int32_t MAX_LINE_SIZE = 6;

// The most characters the notes box takes: what the settings file can always hold,
// each character escaped ("%0d" for one), in one value the system can write.
constexpr size_t MAX_NOTES_LENGTH = 10000;

struct NotesSettings {
    std::string notes;  // lines separated by CR LF
};

struct GridSettings {
    int32_t lineSize = 2;  // 0 solid, 1 to 6 dashed lines of that thickness
    int32_t taskBar = 0;
    int32_t rightToLeft = 0;
    ScreenSizeList sizes;  // the list and the sizes read from "GridArray"
};

struct OutputSettings {
    std::string filename = "Orvalin.bmp";
    int32_t saveSettings = 1;
    int32_t setAsWallpaper = 1;
};

// Arial, bold, 10 points at the given vertical resolution.
LOGFONTA MakeDefaultFont(int logPixelsY);
// The same for the screen, read from a memory device context compatible with it.
LOGFONTA ScreenDefaultFont();
// The screen's vertical resolution in pixels per inch.
int ScreenLogPixelsY();

// The largest font the font dialog offers: 1638 points.
constexpr int MAX_FONT_POINTS = 1638;
// Whether a stored font is one the font dialog could have produced: height and width
// within MAX_FONT_POINTS at this resolution, a weight of 0 to 1000, and a face name
// that is not empty and holds no control characters.
bool IsUsableFont(const LOGFONTA& font, int logPixelsY);

// A stored font chosen at `fontDpi` as it is drawn at `dpi`: its height and width
// scaled, so that it keeps its size in points (the default font, fontDpi 0, as it is).
LOGFONTA FontAtDpi(const LOGFONTA& font, int fontDpi, int dpi);
// A settings file's font without FontDpi was chosen at this resolution; FontDpi values
// outside the range count as missing.
constexpr int32_t UNSTATED_FONT_DPI = 96;
constexpr int32_t MIN_FONT_DPI = 24;
constexpr int32_t MAX_FONT_DPI = 2400;

// References to the slices wherever they are held, for the passes over the stored list.
struct SettingsSlices {
    OutputSettings& output;
    GeneralSettings& general;
    CaptionSettings& captions;
    NotesSettings& notes;
    GridSettings& grid;
    const LOGFONTA& defaultFont;
};

// All slices in one object, for callers without pages (unattended runs, tests).
struct WallpaperSettings {
    OutputSettings output;
    GeneralSettings general;
    CaptionSettings captions;
    NotesSettings notes;
    GridSettings grid;
    LOGFONTA defaultFont{};

    SettingsSlices Slices() { return {output, general, captions, notes, grid, defaultFont}; }
};
