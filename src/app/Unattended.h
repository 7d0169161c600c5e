#pragma once
// Unattended runs for logon scripts: the whole wallpaper without the window.
// No window and no message box ever opens here.

#include "app/CommandLine.h"

enum ExitCode { EXIT_DONE = 0, EXIT_NOT_WRITTEN = 1, EXIT_USAGE = 2 };

// Runs one of the switches and returns the process's exit code.
int RunUnattended(const CommandLine& line);

// True for the only kind of file the settings may name for /refresh to write in the
// Windows directory: a name without any folder part ending in ".bmp" (any case),
// and not a device ("nul.bmp", "com1.bmp"). Settings files end in ".INI".
bool IsWallpaperFileName(const std::string& name);

// What /install registers to run at logon: the executable, quoted, and /refresh.
std::string LogonCommand(const std::string& exePath);

// The text with each control byte shown as %XX, so that it stays one line.
std::string EscapeControlBytes(const std::string& text);
