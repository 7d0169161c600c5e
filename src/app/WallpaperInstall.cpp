#include "app/WallpaperInstall.h"

#include <windows.h>

#include "sysinfo/RegistryKey.h"

bool InstallWallpaper(const std::string& path)
{
    // Centred at its own size: since Windows 7 the desktop keeps the user's last style
    // (often Fill or Stretch), which would blow up and crop a small bitmap.
    {
        RegistryKey desktop;
        if (!desktop.OpenKey(HKEY_CURRENT_USER, "Control Panel\\Desktop", true) ||
            !desktop.WriteString("WallpaperStyle", "0") || !desktop.WriteString("TileWallpaper", "0"))
            return false;
    }
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                                 SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != FALSE;
}
