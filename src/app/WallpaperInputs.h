#pragma once
// Gathering the settings, the identifying values and the desktop colour into what
// the renderer takes: the one place both the main window and unattended runs use.

#include <windows.h>

#include <string>

#include "captions/CaptionItems.h"
#include "render/WallpaperRenderer.h"
#include "settings/WallpaperSettings.h"
#include "win/Placement.h"

// White on a dark desktop, black on a light one: 4·R + 10·G + 2·B against 2050.
COLORREF SystemForegroundFor(COLORREF desktop);

struct EffectiveColors {
    COLORREF foreground;
    COLORREF background;
};
// The colours of the mode: System uses the desktop pair, Reversed swaps it, any
// other mode the custom colours.
EffectiveColors EffectiveColorsFor(const GeneralSettings& general, COLORREF systemForeground,
                                   COLORREF systemBackground);

// What the wallpaper is drawn for: the full-screen window's client area on the primary
// monitor (notes alone are wrapped to its proportions), the screen's resolution, and the
// primary monitor with its work area (the corner positions).
struct ScreenFacts {
    SIZE fullScreen;
    int dpi;
    PrimaryScreen primary;
};
ScreenFacts CurrentScreen();

// What the settings slices hold at the moment of gathering.
struct GatherSources {
    const GeneralSettings& general;
    const CaptionSettings& captions;
    const NotesSettings& notes;
    const GridSettings& grid;
    const CaptionValues& values;
    COLORREF desktop;  // GetSysColor(COLOR_BACKGROUND)
    const ScreenFacts& screen;
};

// The margin around the content: the stored margin, one pixel more for the border,
// and the grid's line (at least one pixel) while the grid is on.
int EffectiveMargin(const GeneralSettings& general, const GridSettings& grid);

struct WallpaperInputs {
    WallpaperDesign design;
    EffectiveColors colors;
};
WallpaperInputs GatherWallpaperInputs(const GatherSources& sources, const CaptionLabels& labels);

// Whether the wallpaper shows a value of this user (the captions on, such a line ticked):
// it is then written to the user's own folder.
bool ShowsUsersOwnValues(const GeneralSettings& general, const CaptionSettings& captions);

// Why no wallpaper exists after a render: the size it would have had, and the limit.
std::string TooLargeText(const WallpaperRenderer& renderer);
