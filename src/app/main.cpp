// Entry point of Murvex32.exe.

#include <windows.h>

#include "settings/SettingsStore.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Start-up: every stored setting at its default, then the local or master file over it.
    WallpaperSettings settings;
    settings.defaultFont = ScreenDefaultFont();
    SettingsStore store(settings.Slices(), CurrentProfilePaths());
    store.ResetSettings();
    store.LoadAtStartup();
    return 0;
}
