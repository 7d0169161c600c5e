#pragma once
// What a process has left of the system's objects, measured in a way that also
// works under Wine (whose GetGuiResources and GetProcessHandleCount answer 0).

#include <windows.h>

#include <vector>

// How many more GDI objects this process could make: a leak of n objects lowers it by n.
inline size_t GdiHeadroom()
{
    std::vector<HBRUSH> brushes;
    while (brushes.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(0);
        if (!brush) break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return brushes.size();
}

// The lowest free kernel handle value: leaked handles push it up.
inline UINT_PTR LowestFreeHandle()
{
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<UINT_PTR>(probe);
}
