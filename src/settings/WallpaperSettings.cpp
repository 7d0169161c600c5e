#include "settings/WallpaperSettings.h"

#include <cstdlib>
#include <cstring>

#include "win/Handles.h"

LOGFONTA MakeDefaultFont(int logPixelsY)
{
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = FontHeightFromDecipoints(100, logPixelsY);
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

int ScreenLogPixelsY()
{
    MemoryDC dc = CreateScreenCompatibleDC();
    const int logPixelsY = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return logPixelsY > 0 ? logPixelsY : 96;
}

LOGFONTA ScreenDefaultFont() { return MakeDefaultFont(ScreenLogPixelsY()); }

bool IsUsableFont(const LOGFONTA& font, int logPixelsY)
{
    const long long largest = static_cast<long long>(MAX_FONT_POINTS) * logPixelsY / 72;
    if (std::llabs(font.lfHeight) > largest || std::llabs(font.lfWidth) > largest) return false;
    if (font.lfWeight < 0 || font.lfWeight > 1000) return false;
    const size_t length = strnlen(font.lfFaceName, LF_FACESIZE);
    if (length == 0 || length == LF_FACESIZE) return false;
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(font.lfFaceName[i]);
        if (c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

LOGFONTA FontAtDpi(const LOGFONTA& font, int fontDpi, int dpi)
{
    LOGFONTA scaled = font;
    if (fontDpi <= 0 || dpi <= 0 || fontDpi == dpi) return scaled;
    scaled.lfHeight = MulDiv(font.lfHeight, dpi, fontDpi);
    scaled.lfWidth = MulDiv(font.lfWidth, dpi, fontDpi);
    return scaled;
}
