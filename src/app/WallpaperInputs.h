#pragma once
// Gathering the settings, the identifying values and the desktop colour into the
// renderer's inputs: the one place both the main window and unattended runs use.

#include <windows.h>

#include <string>

#include "pages/CaptionText.h"
#include "render/WallpaperRenderer.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/SystemInfo.h"

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

// What the settings slices hold at the moment of gathering.
struct GatherSources {
    const GeneralSettings& general;
    const CaptionSettings& captions;
    const NotesSettings& notes;
    const GridSettings& grid;
    const CaptionValues& values;
    COLORREF desktop;  // GetSysColor(COLOR_BACKGROUND)
};

// Writes every input of the renderer from the sources; grid line size and flip keep
// their last values while the grid is off.
void GatherRendererInputs(const GatherSources& sources, const std::string (&labels)[CAPTION_COUNT],
                          WallpaperRenderer& renderer);

// Why no wallpaper exists after a render: the size it would have had, and the limit.
std::string TooLargeText(const WallpaperRenderer& renderer);
