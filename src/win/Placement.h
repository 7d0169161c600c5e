#pragma once
// Where windows go on desks of one or several monitors: pure rectangle rules, and the
// work area of the monitor that holds a window or a point.

#include <windows.h>

// The top-left corner of a window of `size` centred over `owner`, moved inside the
// work area where it would stand out of it (its top-left corner first).
POINT CentredOver(const RECT& owner, SIZE size, const RECT& workArea);

// The work area of the monitor that holds the window (the nearest one when none does).
RECT WorkAreaOf(HWND window);
// The work area of the monitor that holds the point (the nearest one when none does).
RECT WorkAreaAt(POINT point);
