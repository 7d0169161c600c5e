#pragma once
// The parts of a modal loop that every modal window of ours shares.

#include <windows.h>

#include <functional>

// Disables the owner while a modal window runs (when it was enabled), and gives
// it back the activation before the window goes.
class OwnerDisabled {
public:
    OwnerDisabled(HWND owner, HWND window);
    ~OwnerDisabled();
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND owner_;
    HWND window_;
    bool disabled_;
};

// Dispatches this thread's messages until ended() says so; each message is first
// offered to handle, which returns true when it took it. A WM_QUIT ends the loop
// and is posted again for the loop outside.
void PumpUntil(const std::function<bool()>& ended, const std::function<bool(MSG&)>& handle);
