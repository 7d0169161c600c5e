#pragma once
// Where windows go on desks of one or several monitors: pure rectangle rules, and the
// work area of the monitor that holds a window or a point.

#include <windows.h>

#include <vector>

#include "common/PackedSize.h"

// The top-left corner of a window of `size` centred over `owner`, moved inside the
// work area where it would stand out of it (its top-left corner first).
POINT CentredOver(const RECT& owner, SIZE size, const RECT& workArea);

// Where a box of `size` stands in a corner of the work area (1 top left, 2 top right,
// 3 bottom left, 4 bottom right; 5 centred in it; 0, centre on its own, is not a corner:
// the top left of the area),
// never left of or above the monitor's origin (0, 0), which the work area is counted from.
POINT CornerOf(const RECT& workArea, SIZE size, int position);
// The primary monitor's size, and its work area counted from its top-left corner.
struct PrimaryScreen {
    SIZE size;
    RECT workArea;
};
PrimaryScreen PrimaryMonitor();

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
