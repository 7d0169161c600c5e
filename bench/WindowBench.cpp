// The window as a user meets it, timed from inside: the main dialog with a few
// hooks that start each step when the last one has painted its preview.

#include <windows.h>
#include <commctrl.h>

#include "BenchSupport.h"
#include "app/MainDialog.h"
#include "sysinfo/BrowserDiscovery.h"
#include "dialogs/KCWinAppEx.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR NEXT_STEP_TIMER = 1;
constexpr UINT_PTR WATCHDOG_TIMER = 2;
constexpr int STARTUPS = 7;
constexpr int REPEATS = 15;

struct ChildSearch {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    if (GetDlgCtrlID(child) != search->id || lstrcmpiA(name, search->className) != 0) return TRUE;
    search->found = child;
    return FALSE;
}

HWND FindChild(HWND parent, int id, const char* className)
{
    ChildSearch search = {id, className, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class BenchDialog : public MainDialog {
public:
    explicit BenchDialog(bool onlyStartup) : onlyStartup_(onlyStartup) {}

    double startup = 0;
    std::vector<double> keystrokes;
    std::vector<double> gridTicks;
    bool timedOut = false;

    INT_PTR Run()
    {
        start_ = Now();
        return DoModal();
    }

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (message == WM_TIMER && (wParam == NEXT_STEP_TIMER || wParam == WATCHDOG_TIMER)) {
            KillTimer(Handle(), wParam);
            handled = true;
            if (wParam == WATCHDOG_TIMER) {
                timedOut = true;
                EndDialog(IDCANCEL);
            } else {
                NextStep();
            }
            return 0;
        }
        const INT_PTR result = MainDialog::OnMessage(message, wParam, lParam, handled);
        if (message == UM_SETTINGS_CHANGED) rendered_ = true;
        if (message == WM_DRAWITEM && wParam == IDC_MAIN_PREVIEW && waiting_ && rendered_ &&
            Renderer().GetPreviewSize().cx > 0)
            Painted();
        return result;
    }

private:
    // Steps: 0 start-up; 1 to 2·REPEATS ticks on "&Grid", on and off in turn; then
    // REPEATS keystrokes in 4,000 characters of notes.
    void Painted()
    {
        const double elapsed = Now() - start_;
        waiting_ = false;
        if (step_ == 0) startup = elapsed;
        else if (step_ <= 2 * REPEATS && step_ % 2 == 1) gridTicks.push_back(elapsed);  // the ticks that turn it on
        else if (step_ > 2 * REPEATS) keystrokes.push_back(elapsed);
        if (onlyStartup_) {
            EndDialog(IDCANCEL);
            return;
        }
        if (step_ == 2 * REPEATS) {
            // The notes set without a change of their own; the Notes tab shown.
            SetWindowTextA(FindChild(Handle(), IDC_NOTES_EDIT, "Edit"), Prose(4000).c_str());
            SelectTab(2);
        }
        ++step_;
        SetTimer(Handle(), NEXT_STEP_TIMER, 40, nullptr);  // a quiet moment between steps
    }

    void NextStep()
    {
        if (step_ > 3 * REPEATS) {
            EndDialog(IDCANCEL);
            return;
        }
        rendered_ = false;
        waiting_ = true;
        SetTimer(Handle(), WATCHDOG_TIMER, 20000, nullptr);
        start_ = Now();
        if (step_ <= 2 * REPEATS)
            PostMessageA(FindChild(Handle(), IDC_GENERAL_GRID, "Button"), BM_CLICK, 0, 0);
        else
            PostMessageA(FindChild(Handle(), IDC_NOTES_EDIT, "Edit"), WM_CHAR, 'x', 0);
    }

    void SelectTab(int index)
    {
        SendDlgItemMessageA(Handle(), IDC_MAIN_TAB, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        NMHDR change = {Item(IDC_MAIN_TAB), IDC_MAIN_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(Handle(), WM_NOTIFY, IDC_MAIN_TAB, reinterpret_cast<LPARAM>(&change));
    }

    bool onlyStartup_;
    int step_ = 0;
    bool waiting_ = true;
    bool rendered_ = true;  // the first render runs inside the window's initialisation
    double start_ = 0;
};

}  // namespace

void RunWindowBenchmarks()
{
    KCWinAppEx app;
    app.SetDialogFlags(DIALOG_HELP_ON_RIGHT_CLICK);
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<double> collects, browsers;
    for (int run = 0; run < STARTUPS; ++run) {
        double start = Now();
        CollectCaptionValues({});
        collects.push_back(Now() - start);
        BrowserInfo browser;
        start = Now();
        GetDefaultBrowserInfo(browser);
        browsers.push_back(Now() - start);
    }
    std::vector<double> startups;
    for (int run = 1; run <= STARTUPS; ++run) {
        BenchDialog dialog(run < STARTUPS);
        dialog.Run();
        if (dialog.timedOut) std::printf("window benchmark: no preview painted within 20 s\n");
        startups.push_back(dialog.startup);
        if (run < STARTUPS) continue;
        PrintMedian("g_window_start_to_preview", startups);
        PrintMedian("g_of_which_identifying_values", collects);
        PrintMedian("g_of_which_default_browser", browsers);
        PrintMedian("h_notes_keystroke_4000_to_preview", dialog.keystrokes);
        PrintMedian("i_grid_tick_to_preview", dialog.gridTicks);
    }
}
