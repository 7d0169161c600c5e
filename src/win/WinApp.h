#pragma once
// The application object: its instance, resource module and main window.

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

    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Runs the program; false ends it without a message loop of its own.
    virtual bool InitInstance() { return false; }

private:
    HWND mainWindow_ = nullptr;
};

// The current application's main window, or null.
HWND ApplicationMainWindow();
