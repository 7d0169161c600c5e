#pragma once
// Helpers for tests that drive real windows: waiting for a window from another
// thread while the test's own thread sits in a modal loop, and pumping messages.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "win/MessageBox.h"

// Runs `act` on its own thread once `find` returns a window (polled for up to 10 s).
class WindowWatcher {
public:
    WindowWatcher(std::function<HWND()> find, std::function<void(HWND)> act)
        : thread_([find = std::move(find), act = std::move(act), this] {
              for (int i = 0; i < 1000; ++i) {
                  if (HWND window = find()) {
                      found_ = true;
                      act(window);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
          })
    {
    }
    ~WindowWatcher() { Join(); }
    void Join()
    {
        if (thread_.joinable()) thread_.join();
    }
    bool Found() const { return found_; }

private:
    bool found_ = false;
    std::thread thread_;
};

inline std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct WindowSearch {
    const char* className;
    const char* title;
    HWND found;
};

inline BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (process == GetCurrentProcessId() && lstrcmpiA(name, search->className) == 0 && IsWindowVisible(window) &&
        (!search->title || WindowText(window) == search->title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of this process with the given class and (when given) title.
inline HWND FindProcessWindow(const char* className, const char* title)
{
    WindowSearch search = {className, title, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type;
};

// Records message boxes instead of showing them.
class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT type) {
            shown.push_back({text, caption, type});
            ++count;
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(nullptr); }
    std::vector<ShownMessage> shown;
    int answer = IDOK;              // the button every box is answered with
    std::atomic<size_t> count{0};  // boxes shown so far, for watcher threads
};
