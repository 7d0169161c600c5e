// Entry point of Murvex32.exe.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Unattended.h"
#include "settings/SettingsStore.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::vector<std::string> args(__argv + 1, __argv + __argc);
    const CommandLine line = ParseCommandLine(args);
    if (line.mode != CommandLine::Mode::Window) return RunUnattended(line);

    // Start-up: every stored setting at its default, then the local or master file over it.
    WallpaperSettings settings;
    settings.defaultFont = ScreenDefaultFont();
    SettingsStore store(settings.Slices(), CurrentProfilePaths());
    store.ResetSettings();
    store.LoadAtStartup();
    return 0;
}
