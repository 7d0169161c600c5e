#include "pages/SettingsPage.h"

#include "win/WinApp.h"

void SettingsPage::PostToMainWindow(UINT message)
{
    // A null window would post to this thread's queue instead.
    if (HWND main = ApplicationMainWindow()) PostMessageA(main, message, 0, 0);
}
