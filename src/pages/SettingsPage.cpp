#include "pages/SettingsPage.h"

void SettingsPage::PostToHost(UINT message) const
{
    // A null window would post to this thread's queue instead.
    if (HWND host = Host()) PostMessageA(host, message, 0, 0);
}
