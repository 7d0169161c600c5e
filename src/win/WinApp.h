#pragma once
// The application object: its instance and resource module.

#include <windows.h>

class WinApp {
public:
    WinApp();
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // The application object of this process, or null when there is none.
    static WinApp* Current();
    // Where dialog templates, strings and bitmaps come from.
    static HINSTANCE ResourceModule();

    // Runs the program; false ends it without a message loop of its own.
    virtual bool InitInstance() { return false; }
};
