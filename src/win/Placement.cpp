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

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    auto& sizes = *reinterpret_cast<std::vector<SIZE>*>(data);
    const SIZE size = {info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        sizes.insert(sizes.begin(), size);
    else
        sizes.push_back(size);
    return TRUE;
}

}  // namespace

std::vector<SIZE> MonitorSizes()
{
    std::vector<SIZE> sizes;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&sizes));
    if (sizes.empty()) sizes.push_back({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return sizes;
}

std::vector<PackedSize> PackedMonitorSizes()
{
    std::vector<PackedSize> packed;
    for (const SIZE& size : MonitorSizes())
        packed.push_back(PackSize(static_cast<uint16_t>(std::clamp<LONG>(size.cx, 0, 0xFFFF)),
                                  static_cast<uint16_t>(std::clamp<LONG>(size.cy, 0, 0xFFFF))));
    return packed;
}

POINT CornerOf(const RECT& workArea, SIZE size, int position)
{
    const bool right = position == 2 || position == 4, bottom = position == 3 || position == 4, centre = position == 5;
    const LONG x = centre ? (workArea.left + workArea.right - size.cx) / 2 : right ? workArea.right - size.cx : workArea.left;
    const LONG y = centre ? (workArea.top + workArea.bottom - size.cy) / 2 : bottom ? workArea.bottom - size.cy : workArea.top;
    return {std::max<LONG>(x, 0), std::max<LONG>(y, 0)};
}

PrimaryScreen PrimaryMonitor()
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
        const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return {screen, {0, 0, screen.cx, screen.cy}};
    }
    const RECT& monitor = info.rcMonitor;
    RECT work = info.rcWork;
    OffsetRect(&work, -monitor.left, -monitor.top);
    return {{monitor.right - monitor.left, monitor.bottom - monitor.top}, work};
}
