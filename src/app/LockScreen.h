#pragma once
// /lockscreen: the machine's values on the lock and sign-in screens, seen before anyone
// signs in. Windows 10 and 11 (and their servers) take a PNG through the
// PersonalizationCSP values; Windows 7 and Server 2008 R2 an OEM background JPEG.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Unattended.h"
#include "settings/WallpaperSettings.h"

// The size of the picture and where it came from, for the output.
struct LockScreenSize {
    SIZE size;
    std::string source;
};
struct StoredDisplayMode {
    bool primary;
    SIZE size;
};
// The primary monitor's size where this session shows a real one; else (a service's
// session at boot has only a small virtual display) the primary display's stored mode,
// else the largest stored one, else 1920 x 1080.
LockScreenSize ChooseLockScreenSize(bool realMonitor, SIZE primary, const std::vector<StoredDisplayMode>& stored);

// The settings as a screen shown before anyone signs in draws them: the wallpaper's
// content and colours, no grid, no line of a user's own, in the chosen corner or centred.
WallpaperSettings LockScreenSettings(const WallpaperSettings& settings);

// N of "LockScreen-N.png" (any case), 0 for any other name.
unsigned LockScreenFileNumber(const std::string& name);

// Sets the lock screen's picture (`said`: what was written, for standard output), or
// with `off` removes what Murvex set; exit code and the one line of a failure.
RunOutcome RunLockScreen(const WallpaperSettings& settings, const CaptionValues& values, bool off, std::string& said);
