#include "pages/NotesPage.h"

#include <commctrl.h>

#include <algorithm>

#include "render/WallpaperRenderer.h"
#include "resources/resource.h"
#include "win/Handles.h"
#include "win/MessageBox.h"

int NotesTabStop(int width, int averageCharWidth, const std::function<int(int)>& unitsToPixels)
{
    int units = MulDiv(width, 4, std::max(averageCharWidth, 1));
    while (units >= 0 && unitsToPixels(units) >= width) --units;
    return units + 1;
}

NotesPage::NotesPage(NotesSettings& settings) : SettingsPage(IDD_NOTES), settings_(settings) {}

namespace {

// The notes box as multi-line editors behave: the dialog manager never selects the whole
// text when the focus arrives (the next key, Ctrl+Tab's tab among them, would replace it
// all); arriving from another control by keyboard puts the caret at the end. A click
// places the caret itself, and a window activated again keeps it where it was.
LRESULT CALLBACK NotesBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DefSubclassProc(box, message, wParam, lParam) & ~DLGC_HASSETSEL;
    case WM_SETFOCUS: {
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        const auto from = reinterpret_cast<HWND>(wParam);
        const bool byMouse = GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0;
        if (!byMouse && from && GetAncestor(from, GA_ROOT) == GetAncestor(box, GA_ROOT)) {
            const LRESULT end = GetWindowTextLengthA(box);
            SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(end), end);
        }
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, NotesBoxProcedure, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

BOOL NotesPage::OnInitDialog()
{
    const int boldFont = CreateFontVariant(nullptr, 0, 0x1);
    const ControlTableEntry table[] = {
        {IDC_NOTES_EDIT, ANCHOR_LEFT | ANCHOR_RIGHT, 0},
        {IDC_NOTES_HELP, ANCHOR_RIGHT, 0},
        {IDC_NOTES_HELP, ENTRY_FONT, static_cast<uint32_t>(boldFont)},
        {IDC_NOTES_EDIT, ENTRY_HELP, IDS_HELP_NOTES},
        {IDC_NOTES_HELP, ENTRY_HELP, IDS_HELP_NOTES_BUTTON},
        {IDC_NOTES_HELP, ENTRY_TOOLTIP, IDS_HELP_NOTES_BUTTON},
    };
    AddControlTable(table);
    // What the box takes, the settings file gives back whole.
    SendDlgItemMessageA(Handle(), IDC_NOTES_EDIT, EM_SETLIMITTEXT, MAX_NOTES_LENGTH, 0);
    SetWindowSubclass(Item(IDC_NOTES_EDIT), NotesBoxProcedure, 0, 0);
    KCDialogEx::OnInitDialog();
    UpdateTabStop();
    return TRUE;
}

void NotesPage::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_NOTES_EDIT, settings_.notes); }

void NotesPage::UpdateTabStop()
{
    UpdateData(true);
    if (settings_.notes.find('\t') == std::string::npos) return;

    HWND edit = Item(IDC_NOTES_EDIT);
    const WindowDC editDC(edit);
    if (!editDC) return;
    HDC dc = editDC.Get();
    int averageCharWidth = 0;
    int widest = 0;
    {
        SelectObjectScope font(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        averageCharWidth = metrics.tmAveCharWidth;
        widest = WidestLabel(settings_.notes, [dc](const std::string& label) {
            SIZE size = {};
            GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &size);
            return static_cast<int>(size.cx);
        });
    }
    tabStop_ = NotesTabStop(widest, averageCharWidth, [this](int units) {
        RECT rect = {0, 0, units, 0};
        MapDialogRect(Handle(), &rect);
        return static_cast<int>(rect.right);
    });
    SendMessageA(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop_));
    InvalidateRect(edit, nullptr, TRUE);
}

bool NotesPage::OnCommand(int id, int code, HWND)
{
    if (id == IDC_NOTES_EDIT && code == EN_CHANGE) {
        UpdateTabStop();
        PostSettingsChanged();
        return true;
    }
    if (id == IDC_NOTES_EDIT && code == EN_MAXTEXT) {
        ShowStringMessage(Host(), IDS_MSG_NOTES_FULL, MB_OK);
        return true;
    }
    if (id == IDC_NOTES_HELP && code == BN_CLICKED) {
        RECT button;
        GetWindowRect(Item(IDC_NOTES_HELP), &button);
        ShowContextHelp(Item(IDC_NOTES_EDIT), (button.left + button.right) / 2, (button.top + button.bottom) / 2);
        return true;
    }
    return false;
}

namespace {

bool IsEditWithWantReturn(HWND window)
{
    char name[6] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "edit") == 0 && (GetWindowLongA(window, GWL_STYLE) & ES_WANTRETURN);
}

}  // namespace

bool NotesPage::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_KEYDOWN) {
        HWND focus = GetFocus();
        // Enter starts a new line; the main window's default button never sees it.
        if (message.wParam == VK_RETURN && IsEditWithWantReturn(focus)) {
            SendMessageA(focus, WM_CHAR, '\n', 0);
            return true;
        }
        // Ctrl+Tab types a tab; Tab alone moves the focus on (Ctrl+Shift+Tab: the tab before).
        if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 &&
            focus == Item(IDC_NOTES_EDIT)) {
            SendMessageA(focus, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\t"));
            return true;
        }
    }
    return SettingsPage::PreTranslateMessage(message);
}
