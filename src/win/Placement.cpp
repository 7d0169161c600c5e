#include "win/Placement.h"

#include <algorithm>

POINT CentredOver(const RECT& owner, SIZE size, const RECT& workArea)
{
    LONG x = owner.left + ((owner.right - owner.left) - size.cx) / 2;
    LONG y = owner.top + ((owner.bottom - owner.top) - size.cy) / 2;
    x = std::max(std::min(x, workArea.right - size.cx), workArea.left);
    y = std::max(std::min(y, workArea.bottom - size.cy), workArea.top);
    return {x, y};
}

namespace {

RECT WorkAreaOfMonitor(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoA(monitor, &info)) return info.rcWork;
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

}  // namespace

RECT WorkAreaOf(HWND window) { return WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

RECT WorkAreaAt(POINT point) { return WorkAreaOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }
