#pragma once
// The notes-width search done literally, every one of its 100 measurements made:
// the reference the renderer's search is timed against.

#include <windows.h>

#include <cstdlib>
#include <string>

// `dc` has the notes' font selected; the block starts at the top.
inline int LiteralNotesWidth(HDC dc, const std::string& notes)
{
    auto calc = [&](int width, UINT flags) {
        RECT rect = {0, 0, width, 0};
        DrawTextA(dc, notes.c_str(), static_cast<int>(notes.size()), &rect, flags | DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
        return rect;
    };
    RECT rect = calc(0, 0);
    const long long cx = GetSystemMetrics(SM_CXFULLSCREEN), cy = GetSystemMetrics(SM_CYFULLSCREEN);
    if (!(cy * rect.right > cx * rect.bottom)) return rect.right;
    int best = 0, step = (rect.right + 1) / 2;
    for (int trials = 0;;) {
        rect = calc(best + step, DT_WORDBREAK);
        if (cy * rect.right < cx * rect.bottom) best += step;
        step = (std::abs(step) + 1) / 2;
        if (step == 0 || ++trials == 100) break;
    }
    return rect.right;
}
