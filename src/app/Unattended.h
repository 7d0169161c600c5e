#pragma once
// Unattended runs for logon scripts: the whole wallpaper without the window.
// No window and no message box ever opens here.

#include "app/CommandLine.h"

enum ExitCode { EXIT_DONE = 0, EXIT_NOT_WRITTEN = 1, EXIT_USAGE = 2 };

// Runs one of the switches and returns the process's exit code.
int RunUnattended(const CommandLine& line);

// True for a file name without any folder part ("office.bmp"), the only kind the
// settings may name for the Windows directory.
bool IsPlainFileName(const std::string& name);
