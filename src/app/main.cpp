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

    WallpaperSettings settings;
    LoadStartupSettings(settings);
    return 0;
}
