// Entry point of Murvex32.exe: the window, or one unattended switch.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/MainDialog.h"
#include "app/Unattended.h"
#include "dialogs/KCWinAppEx.h"
#include "win/Handles.h"
#include "win/SystemLibrary.h"

namespace {

class MurvexApp : public KCWinAppEx {
public:
    MurvexApp() { SetDialogFlags(DIALOG_HELP_ON_RIGHT_CLICK); }

    bool InitInstance() override
    {
        const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        MainDialog dialog;
        dialog.DoModal();
        return false;
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystem();
    const std::vector<std::string> args(__argv + 1, __argv + __argc);
    CommandLine line = ParseCommandLine(args);
    if (line.mode == CommandLine::Mode::Save) {
        // The file name as typed, also where the ANSI code page has no letter for it.
        int count = 0;
        const LocalMemory<wchar_t**> wide(CommandLineToArgvW(GetCommandLineW(), &count));
        if (wide && count == __argc) line.wideFile = wide.Get()[2];
    }
    if (line.mode != CommandLine::Mode::Window) return RunUnattended(line);

    MurvexApp app;
    app.InitInstance();
    return 0;
}
