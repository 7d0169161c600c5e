// The floors that Murvex's process-level cases are measured beside:
//   murvex-floor window  shows the main dialog's template with the General page's
//                        template inside it (what any window with this first page
//                        pays), both with dialog procedures that do nothing, and waits
//                        to be ended;
//   murvex-floor dlls    loads the system DLLs that Murvex32.exe imports and exits.

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <initializer_list>

#include "resources/resource.h"

namespace {

INT_PTR CALLBACK BareProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (std::strstr(commandLine, "window")) {
        const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, BareProcedure, 0);
        if (!window) return 1;
        HWND page = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_GENERAL), window, BareProcedure, 0);
        if (!page) return 1;
        // Where Murvex puts it: inside the tab control's display area.
        RECT area = {};
        HWND tab = GetDlgItem(window, IDC_MAIN_TAB);
        GetWindowRect(tab, &area);
        SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        SetWindowPos(page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ShowWindow(window, SW_SHOW);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        return 0;
    }
    for (const char* dll : {"advapi32.dll", "comctl32.dll", "gdi32.dll", "msvcrt.dll", "shell32.dll", "shlwapi.dll",
                            "user32.dll"})
        if (!LoadLibraryA(dll)) return 1;
    return 0;
}
