#pragma once
// Where windows go on desks of one or several monitors: pure rectangle rules, and the
// work area of the monitor that holds a window or a point.

#include <windows.h>

#include <vector>

#include "common/PackedSize.h"

// The top-left corner of a window of `size` centred over `owner`, moved inside the
// work area where it would stand out of it (its top-left corner first).
POINT CentredOver(const RECT& owner, SIZE size, const RECT& workArea);

// The work area of the monitor that holds the window (the nearest one when none does).
RECT WorkAreaOf(HWND window);
// The work area of the monitor that holds the point (the nearest one when none does).
RECT WorkAreaAt(POINT point);

// The size of every monitor attached to the desktop, the primary first, then the
// others in the order the system lists them; the primary screen's alone when the
// system lists none.
std::vector<SIZE> MonitorSizes();
// The same as screen sizes are stored (each side within 16 bits).
std::vector<PackedSize> PackedMonitorSizes();
