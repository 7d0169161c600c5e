#pragma once
// Private messages that the pages post to the application's main window, always
// posted (never sent) with both parameters 0.

#include <windows.h>

// A page's controls were read into its settings: gather and render again.
constexpr UINT UM_SETTINGS_CHANGED = WM_USER + 550;
// A section box of the General page changed: show or hide the section tabs.
constexpr UINT UM_SECTIONS_CHANGED = WM_USER + 555;
