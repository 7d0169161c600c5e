#include "win/ModalLoop.h"

OwnerDisabled::OwnerDisabled(HWND owner, HWND window)
    : owner_(owner), window_(window), disabled_(owner && IsWindowEnabled(owner))
{
    if (disabled_) EnableWindow(owner_, FALSE);
}

OwnerDisabled::~OwnerDisabled()
{
    if (disabled_) EnableWindow(owner_, TRUE);
    if (owner_ && window_ && GetActiveWindow() == window_) SetActiveWindow(owner_);
}

void PumpUntil(const std::function<bool()>& ended, const std::function<bool(MSG&)>& handle)
{
    while (!ended()) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) return;
        if (handle(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
