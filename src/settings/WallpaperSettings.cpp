#include "settings/WallpaperSettings.h"

#include <cstring>

#include "win/Handles.h"

LOGFONTA MakeDefaultFont(int logPixelsY)
{
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -MulDiv(10, logPixelsY, 72);
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

LOGFONTA ScreenDefaultFont()
{
    int logPixelsY = 96;
    if (MemoryDC dc = CreateScreenCompatibleDC()) logPixelsY = GetDeviceCaps(dc.Get(), LOGPIXELSY);
    return MakeDefaultFont(logPixelsY);
}
