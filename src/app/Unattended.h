#pragma once
// Unattended runs for logon scripts: the whole wallpaper without the window.
// No window and no message box ever opens here.

#include <string>

#include "app/CommandLine.h"
#include "app/WallpaperInputs.h"
#include "settings/WallpaperSettings.h"

enum ExitCode { EXIT_DONE = 0, EXIT_NOT_WRITTEN = 1, EXIT_USAGE = 2 };

// Runs one of the switches and returns the process's exit code.
int RunUnattended(const CommandLine& line);

// What an unattended run ends in: its exit code and, when it failed, the one line it
// says on standard error (without the program's name before it).
struct RunOutcome {
    int exitCode = EXIT_DONE;
    std::string error;
};

// The wallpaper of loaded settings for a screen, drawn by the renderer given; a wallpaper
// too large to make is said so.
RunOutcome RenderWallpaperOf(const WallpaperSettings& settings, const CaptionValues& values, const ScreenFacts& screen,
                             WallpaperRenderer& renderer);

// The wallpaper of loaded settings (their screen-size list already built), written to
// `path` (`widePath` instead where it is not empty) as /save and /refresh write it.
RunOutcome WriteWallpaperOf(const WallpaperSettings& settings, const CaptionValues& values, const std::string& path,
                            const std::wstring& widePath = std::wstring());

// What /info prints before the monitors: the first six lines as the wallpaper shows
// them (ticked, with a value), then every other built-in line whatever it holds, in the
// table's order, then the administrator's own lines.
std::string InfoText(const CaptionSettings& captions, const CaptionValues& values, const CaptionLabels& labels);

// True for the only kind of file the settings may name for /refresh to write in the
// Windows directory: a name without any folder part ending in ".bmp" (any case),
// and not a device ("nul.bmp", "com1.bmp"). Settings files end in ".INI".
bool IsWallpaperFileName(const std::string& name);

// What /install registers to run at logon: the executable, quoted, and /refresh.
std::string LogonCommand(const std::string& exePath);

// The text with each control byte shown as %XX, so that it stays one line.
std::string EscapeControlBytes(const std::string& text);
