#pragma once
// Helpers for tests that drive real windows: bounded waits, key strokes, finding
// windows of any process, and message boxes recorded instead of shown.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "win/MessageBox.h"

// Polls `condition` every 20 ms for up to `milliseconds` of real time, however long
// the condition itself takes to answer.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

// Real key strokes, to whichever window has the focus: the keys pressed in order,
// released in reverse.
inline void PressKeys(std::initializer_list<WORD> keys)
{
    for (WORD key : keys) keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    for (auto key = keys.end(); key != keys.begin();) keybd_event(static_cast<BYTE>(*--key), 0, KEYEVENTF_KEYUP, 0);
    Sleep(50);
}

// The window with the keyboard focus in a thread, of any process.
inline HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// A window's text, asked of the window itself (so also of another process's controls).
inline std::string WindowText(HWND window)
{
    char text[2048] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Under Wine a process that first looks for windows while the desktop's own process is
// still starting (the first program after a pause) sees none of the windows other
// programs make; a window of its own, made first, joins it to the desktop.
inline void JoinDesktop()
{
    static const bool joined = DestroyWindow(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    (void)joined;
}

// A visible top-level window of a process with the given class and, when given, title
// and control.
inline HWND FindProcessWindow(const char* className, const char* title, DWORD process = GetCurrentProcessId(),
                              int withControl = 0)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && (!withControl || GetDlgItem(window, withControl)))
            return window;
    }
    return nullptr;
}

struct ShownMessage {
    std::string text;
    UINT type;
};

// Records message boxes instead of showing them.
class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageBoxHandler([this](HWND, const std::string& text, const std::string&, UINT type) {
            shown.push_back({text, type});
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(nullptr); }
    std::vector<ShownMessage> shown;
    int answer = IDOK;  // the button every box is answered with
};
