#include "app/WallpaperInputs.h"

#include <algorithm>
#include <climits>

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

void GatherRendererInputs(const GatherSources& sources, const std::string (&labels)[CAPTION_COUNT],
                          WallpaperRenderer& renderer)
{
    const GeneralSettings& general = sources.general;
    renderer.captionsText = general.captions ? BuildCaptionText(sources.captions, sources.values, labels) : "";
    renderer.notesText = general.notes ? sources.notes.notes : "";
    // Notes with a TAB read as further caption lines.
    if (renderer.notesText.find('\t') != std::string::npos) {
        std::string merged = renderer.notesText;
        merged.erase(std::remove(merged.begin(), merged.end(), '\r'), merged.end());
        renderer.captionsText += merged + "\n";
        renderer.notesText.clear();
    }

    const EffectiveColors colors = EffectiveColorsFor(general, SystemForegroundFor(sources.desktop), sources.desktop);
    renderer.foreColor = colors.foreground;
    renderer.backColor = colors.background;
    renderer.font = general.font;
    renderer.border = general.border != 0;

    const GridSettings& grid = sources.grid;
    long long margin = general.margins;
    if (general.border) margin += 1;
    if (general.grid) margin += std::max(grid.lineSize, 1);
    renderer.margin = ClampToInt(margin);

    if (general.grid) {
        renderer.gridSizes = grid.sizes.CollectEnabledSizes();
        renderer.minWidth = renderer.gridSizes.empty() ? 0 : PackedWidth(renderer.gridSizes.front());
        renderer.minHeight = renderer.gridSizes.empty() ? 0 : PackedHeight(renderer.gridSizes.front());
        renderer.gridLineSize = grid.lineSize;
        renderer.flipHorizontal = grid.rightToLeft != 0;
    } else {
        renderer.gridSizes.clear();
        renderer.minWidth = renderer.minHeight = 0;
    }
    renderer.taskBarLines = grid.taskBar != 0;
    renderer.logoEnabled = general.logo != 0;
}

std::string TooLargeText(const WallpaperRenderer& renderer)
{
    return FillPlaceholders(LoadResourceText(IDS_MSG_TOO_LARGE),
                            {std::to_string(renderer.RequestedWidth()), std::to_string(renderer.RequestedHeight()),
                             std::to_string(MAX_WALLPAPER_SIDE)});
}
