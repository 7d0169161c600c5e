#include "pages/GridPage.h"

#include "resources/resource.h"
#include "win/Placement.h"
#include "win/MessageBox.h"
#include "win/SystemPaths.h"

namespace {

constexpr uint32_t MIN_SCREEN_SIDE = 100;
constexpr uint32_t MAX_SCREEN_SIDE = 32000;

const ControlTableEntry GRID_TABLE[] = {
    {IDC_GRID_SIZES, ENTRY_HELP, IDS_HELP_SIZES},
    {IDC_GRID_ENABLE, ENTRY_HELP, IDS_HELP_ENABLE},
    {IDC_GRID_DISABLE, ENTRY_HELP, IDS_HELP_DISABLE},
    {IDC_GRID_ADD, ENTRY_HELP, IDS_HELP_ADD},
    {IDC_GRID_REMOVE, ENTRY_HELP, IDS_HELP_REMOVE},
    {IDC_GRID_LINE_SIZE, ENTRY_HELP, IDS_HELP_LINE_SIZE},
    {IDC_GRID_TASK_BAR, ENTRY_HELP, IDS_HELP_TASK_BAR},
    {IDC_GRID_FLIP, ENTRY_HELP, IDS_HELP_FLIP},
};

const int SELECTION_BUTTONS[] = {IDC_GRID_ENABLE, IDC_GRID_DISABLE, IDC_GRID_REMOVE};

}  // namespace

GridPage::GridPage(GridSettings& settings) : SettingsPage(IDD_GRID), settings_(settings) {}

BOOL GridPage::OnInitDialog()
{
    AddControlTable(GRID_TABLE);
    if (!list_.Attach(Handle(), IDC_GRID_SIZES)) {
        // No page without its list: Create reports the failure.
        const DWORD error = GetLastError();
        DestroyWindow(Handle());
        SetLastError(error ? error : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    KCDialogEx::OnInitDialog();
    BuildList();
    for (const ScreenSize& entry : settings_.sizes.Entries()) list_.AddRow(entry.RowText(), entry.enabled);
    if (list_.Count() > 0) list_.Select(0, true);
    RefreshButtons();
    return TRUE;
}

void GridPage::BuildList()
{
    if (listBuilt_) return;
    settings_.sizes.PopulateScreenSizes(PackedMonitorSizes());
    listBuilt_ = true;
}

void GridPage::DoDataExchange(DataExchange& exchange)
{
    exchange.Selection(IDC_GRID_LINE_SIZE, settings_.lineSize);
    exchange.Check(IDC_GRID_TASK_BAR, settings_.taskBar);
    exchange.Check(IDC_GRID_FLIP, settings_.rightToLeft);
}

void GridPage::RefreshButtons()
{
    const bool selected = !list_.SelectedRows().empty();
    for (int id : SELECTION_BUTTONS) {
        HWND button = Item(id);
        // A button that goes grey must not keep the keyboard focus.
        if (!selected && GetFocus() == button) SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Handle()), TRUE);
        EnableControl(id, selected);
    }
}

bool GridPage::OnCommand(int id, int code, HWND)
{
    switch (id) {
    case IDC_GRID_SIZES:
        if (code == CheckListBox::CLBN_CHKCHANGE) {
            for (int row = 0; row < list_.Count(); ++row)
                settings_.sizes.SetEnabled(static_cast<size_t>(row), list_.Checked(row));
        } else if (code != LBN_SELCHANGE) {
            return false;
        }
        RefreshButtons();
        PostSettingsChanged();
        return true;
    case IDC_GRID_LINE_SIZE:
    case IDC_GRID_TASK_BAR:
    case IDC_GRID_FLIP:
        if (code != (id == IDC_GRID_LINE_SIZE ? CBN_SELCHANGE : BN_CLICKED)) return false;
        UpdateData(true);
        PostSettingsChanged();
        return true;
    case IDC_GRID_ENABLE:
    case IDC_GRID_DISABLE:
        if (code != BN_CLICKED) return false;
        SetSelectionEnabled(id == IDC_GRID_ENABLE);
        return true;
    case IDC_GRID_ADD:
        if (code == BN_CLICKED) AddSize();
        return code == BN_CLICKED;
    case IDC_GRID_REMOVE:
        if (code == BN_CLICKED) RemoveSelection();
        return code == BN_CLICKED;
    default:
        return false;
    }
}

void GridPage::SetSelectionEnabled(bool enabled)
{
    const std::vector<size_t> rows = list_.SelectedRows();
    settings_.sizes.SetSelectionEnabled(rows, enabled);
    for (size_t row : rows) list_.SetChecked(static_cast<int>(row), enabled);
    PostSettingsChanged();
}

void GridPage::AddSize()
{
    AddScreenSizeDialog dialog(Host());
    const INT_PTR result = dialog.DoModal();
    if (result == -1) ShowStringMessage(Host(), IDS_MSG_WINDOW_FAILED, {SystemErrorText(GetLastError())});
    if (result != IDOK) return;
    const auto width = static_cast<uint16_t>(dialog.width);
    const auto height = static_cast<uint16_t>(dialog.height);
    const std::vector<ScreenSize>& entries = settings_.sizes.Entries();
    auto rowOf = [&entries, width, height] {
        for (size_t row = 0; row < entries.size(); ++row)
            if (entries[row].Width() == width && entries[row].Height() == height) return static_cast<int>(row);
        return -1;
    };
    const int existing = rowOf();
    const bool wasEnabled = existing >= 0 && entries[static_cast<size_t>(existing)].enabled;
    if (settings_.sizes.AddScreenSize(width, height, true)) {
        list_.InsertRow(rowOf(), ScreenSize{PackSize(width, height), true}.RowText(), true);
        PostSettingsChanged();
        return;
    }
    list_.SetChecked(existing, true);
    // The row that was there ends enabled: when that is a change, the wallpaper follows it.
    if (!wasEnabled) PostSettingsChanged();
    ShowStringMessage(Host(), IDS_MSG_DUPLICATE_SIZE, MB_OK);
}

void GridPage::RemoveSelection()
{
    const std::vector<size_t> rows = list_.SelectedRows();
    if (rows.empty()) return;
    const UINT question = rows.size() > 1 ? IDS_MSG_REMOVE_SIZES : IDS_MSG_REMOVE_SIZE;
    if (ShowStringMessage(Host(), question, MB_YESNO) != IDYES) return;
    settings_.sizes.RemoveSelection(rows);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) list_.DeleteRow(static_cast<int>(*row));
    PostSettingsChanged();
    RefreshButtons();
}

AddScreenSizeDialog::AddScreenSizeDialog(HWND owner) : KCDialogEx(IDD_ADD_SCREEN_SIZE, owner) {}

BOOL AddScreenSizeDialog::OnInitDialog()
{
    const BOOL result = KCDialogEx::OnInitDialog();
    RECT owner = {}, window = {};
    if (Parent() && GetWindowRect(Parent(), &owner) && GetWindowRect(Handle(), &window)) {
        const POINT at = CentredOver(owner, {window.right - window.left, window.bottom - window.top}, WorkAreaOf(Parent()));
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return result;
}

void AddScreenSizeDialog::DoDataExchange(DataExchange& exchange)
{
    exchange.Number(IDC_ADDSIZE_HEIGHT, height);
    exchange.UnsignedRange(IDC_ADDSIZE_HEIGHT, height, MIN_SCREEN_SIDE, MAX_SCREEN_SIDE);
    exchange.Number(IDC_ADDSIZE_WIDTH, width);
    exchange.UnsignedRange(IDC_ADDSIZE_WIDTH, width, MIN_SCREEN_SIDE, MAX_SCREEN_SIDE);
}
