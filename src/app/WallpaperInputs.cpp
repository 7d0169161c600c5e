#include "app/WallpaperInputs.h"

#include <algorithm>

#include "resources/resource.h"
#include "win/ResourceText.h"

COLORREF SystemForegroundFor(COLORREF desktop)
{
    const int weighted = 4 * GetRValue(desktop) + 10 * GetGValue(desktop) + 2 * GetBValue(desktop);
    return weighted < 2050 ? WHITE_COLOR : BLACK_COLOR;
}

EffectiveColors EffectiveColorsFor(const GeneralSettings& general, COLORREF systemForeground,
                                   COLORREF systemBackground)
{
    switch (general.colorSelect) {
    case COLOR_MODE_SYSTEM: return {systemForeground, systemBackground};
    case COLOR_MODE_REVERSED: return {systemBackground, systemForeground};
    default: return {general.foregroundColor, general.backgroundColor};
    }
}

ScreenFacts CurrentScreen()
{
    return {{GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)}, ScreenLogPixelsY(), PrimaryMonitor()};
}

int EffectiveMargin(const GeneralSettings& general, const GridSettings& grid)
{
    long long margin = general.margins;
    if (general.border) margin += 1;
    if (general.grid) margin += std::max(grid.lineSize, 1);
    return ClampToInt(margin);
}

WallpaperInputs GatherWallpaperInputs(const GatherSources& sources, const CaptionLabels& labels)
{
    const GeneralSettings& general = sources.general;
    const GridSettings& grid = sources.grid;
    WallpaperInputs inputs = {{}, EffectiveColorsFor(general, SystemForegroundFor(sources.desktop), sources.desktop)};
    WallpaperDesign& design = inputs.design;
    design.captionsText = general.captions ? BuildCaptionText(sources.captions, sources.values, labels) : "";
    design.notesText = general.notes ? sources.notes.notes : "";
    design.screen = sources.screen.fullScreen;
    // Notes with a TAB read as further caption lines.
    if (design.notesText.find('\t') != std::string::npos) {
        std::string merged = design.notesText;
        merged.erase(std::remove(merged.begin(), merged.end(), '\r'), merged.end());
        design.captionsText += merged + "\n";
        design.notesText.clear();
    }
    design.font = FontAtDpi(general.font, general.fontDpi, sources.screen.dpi);
    design.border = general.border != 0;
    design.margin = EffectiveMargin(general, grid);
    design.logoEnabled = general.logo != 0;
    design.taskBarLines = grid.taskBar != 0;
    // The grid decides the layout while it is on.
    if (!general.grid && general.position != POSITION_CENTRE) {
        design.position = general.position;
        design.monitor = sources.screen.primary.size;
        design.workArea = sources.screen.primary.workArea;
    }
    if (general.grid) {
        design.gridSizes = grid.sizes.CollectEnabledSizes();
        // As wide as the widest size and as high as the highest: a portrait monitor's size
        // beside a landscape one's leaves every rectangle whole.
        for (PackedSize size : design.gridSizes) {
            design.minWidth = std::max<int>(design.minWidth, PackedWidth(size));
            design.minHeight = std::max<int>(design.minHeight, PackedHeight(size));
        }
        design.gridLineSize = grid.lineSize;
        design.flipHorizontal = grid.rightToLeft != 0;
    }
    return inputs;
}

bool ShowsUsersOwnValues(const GeneralSettings& general, const CaptionSettings& captions)
{
    return general.captions && ShowsPerUserValue(captions);
}

std::string TooLargeText(const WallpaperRenderer& renderer)
{
    return FillPlaceholders(LoadResourceText(IDS_MSG_TOO_LARGE),
                            {std::to_string(renderer.RequestedWidth()), std::to_string(renderer.RequestedHeight()),
                             std::to_string(MAX_WALLPAPER_SIDE)});
}
