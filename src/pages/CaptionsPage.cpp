#include "pages/CaptionsPage.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "captions/CustomSource.h"
#include "resources/resource.h"
#include "sysinfo/SystemInfo.h"
#include "win/MessageBox.h"
#include "win/Placement.h"
#include "win/ResourceText.h"
#include "win/SystemPaths.h"

namespace {

constexpr int VALUE_COLUMN = 1;
// The label column's share of the list's width, in percent.
constexpr int LABEL_COLUMN_SHARE = 46;

// A source from the Caption Line dialog's kinds box (SourceKind less one; -1 for none
// of them: the text as it is) and what follows the kind.
std::string SourceOfKind(int kind, const std::string& target)
{
    return kind >= 0 ? SourceText(static_cast<SourceKind>(kind + 1), target) : target;
}

}  // namespace

CaptionsPage::CaptionsPage(CaptionSettings& settings)
    : SettingsPage(IDD_CAPTIONS), settings_(settings), labels_(LoadCaptionLabels())
{
}

void CaptionsPage::StartDetection()
{
    if (started_) return;
    started_ = true;
    detectedLines_ = settings_.custom;
    // Where the pool takes no work, they are found here and now.
    detecting_ = detection_.Submit();
    if (!detecting_) values_ = CollectCaptionValues(detectedLines_);
}

void CaptionsPage::SetPolicies(const PolicyRecord& policies)
{
    policies_ = policies;
}

bool CaptionsPage::LineLocked(CaptionLine line) const
{
    return IsCustomLine(line) ? policies_.HasSection("Custom")
                              : line >= 0 && policies_.Has("Captions", CAPTION_ITEMS[static_cast<size_t>(line)].key);
}

const CaptionValues& CaptionsPage::Values()
{
    StartDetection();
    if (detecting_) {
        detection_.Wait();
        detecting_ = false;
    }
    return values_;
}

BOOL CaptionsPage::OnInitDialog()
{
    static const ControlTableEntry CONTROLS[] = {
        {IDC_CAPTIONS_LIST, ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_TOP | ANCHOR_BOTTOM, 0},
        {IDC_CAPTIONS_LIST, ENTRY_HELP, IDS_HELP_CAPTION_LINES},
        {IDC_CAPTIONS_VALUE, ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_BOTTOM, 0},
        {IDC_CAPTIONS_VALUE, ENTRY_HELP, IDS_HELP_CAPTION_VALUE},
        {IDC_CAPTIONS_UP, ANCHOR_RIGHT, 0},
        {IDC_CAPTIONS_UP, ENTRY_HELP, IDS_HELP_MOVE_UP},
        {IDC_CAPTIONS_DOWN, ANCHOR_RIGHT, 0},
        {IDC_CAPTIONS_DOWN, ENTRY_HELP, IDS_HELP_MOVE_DOWN},
        {IDC_CAPTIONS_ADD, ANCHOR_RIGHT, 0},
        {IDC_CAPTIONS_ADD, ENTRY_HELP, IDS_HELP_ADD_LINE},
        {IDC_CAPTIONS_EDIT_LINE, ANCHOR_RIGHT, 0},
        {IDC_CAPTIONS_EDIT_LINE, ENTRY_HELP, IDS_HELP_EDIT_LINE},
        {IDC_CAPTIONS_REMOVE, ANCHOR_RIGHT, 0},
        {IDC_CAPTIONS_REMOVE, ENTRY_HELP, IDS_HELP_REMOVE_LINE},
    };
    AddControlTable(CONTROLS);
    KCDialogEx::OnInitDialog();

    HWND list = Item(IDC_CAPTIONS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT area = {};
    GetClientRect(list, &area);
    const int labelWidth = area.right * LABEL_COLUMN_SHARE / 100;
    const std::pair<UINT, int> columns[] = {{IDS_COLUMN_LINE, labelWidth},
                                            {IDS_COLUMN_VALUE, area.right - labelWidth - GetSystemMetrics(SM_CXVSCROLL)}};
    for (int column = 0; column < 2; ++column) {
        std::string title = LoadResourceText(columns[column].first);
        LVCOLUMNA header = {};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.pszText = title.data();
        header.cx = columns[column].second;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    }
    SendDlgItemMessageA(Handle(), IDC_CAPTIONS_VALUE, EM_LIMITTEXT, MAX_CUSTOM_VALUE, 0);
    std::vector<int> locked;
    if (policies_.Has("Captions", "Order")) locked.insert(locked.end(), {IDC_CAPTIONS_UP, IDC_CAPTIONS_DOWN});
    if (policies_.HasSection("Custom"))
        locked.insert(locked.end(), {IDC_CAPTIONS_ADD, IDC_CAPTIONS_EDIT_LINE, IDC_CAPTIONS_REMOVE});
    LockControls(locked);
    bool anyLineLocked = policies_.HasSection("Custom");
    for (CaptionLine line = 0; line < CAPTION_COUNT; ++line) anyLineLocked = anyLineLocked || LineLocked(line);
    if (anyLineLocked) AddHelpNote(IDC_CAPTIONS_LIST, IDS_HELP_LINES_SET_BY_POLICY);
    Values();
    FillList(0);
    return TRUE;
}

void CaptionsPage::FillList(int selectRow)
{
    HWND list = Item(IDC_CAPTIONS_LIST);
    filling_ = true;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    rows_ = LineOrder(settings_);
    const std::vector<CaptionLine>& order = rows_;
    for (size_t row = 0; row < order.size(); ++row) {
        std::string label = LineLabel(settings_, labels_, order[row]);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = label.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ListView_SetItemText(list, static_cast<int>(row), VALUE_COLUMN, const_cast<char*>(LineValue(values_, order[row]).c_str()));
        ListView_SetCheckState(list, static_cast<UINT>(row), IsLineShown(settings_, order[row]));
    }
    if (selectRow >= static_cast<int>(order.size())) selectRow = static_cast<int>(order.size()) - 1;
    if (selectRow >= 0) {
        ListView_SetItemState(list, selectRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selectRow), FALSE);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    filling_ = false;
    ShowSelection();
}

int CaptionsPage::SelectedRow() const
{
    return static_cast<int>(SendMessageA(Item(IDC_CAPTIONS_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

CaptionLine CaptionsPage::LineAt(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)] : -1;
}

void CaptionsPage::ShowSelection()
{
    const int row = SelectedRow();
    const CaptionLine line = LineAt(row);
    const int rows = static_cast<int>(rows_.size());
    filling_ = true;
    SetDlgItemTextA(Handle(), IDC_CAPTIONS_VALUE, line >= 0 ? LineValue(values_, line).c_str() : "");
    filling_ = false;
    EnableControl(IDC_CAPTIONS_VALUE, line >= 0 && IsLineShown(settings_, line));
    EnableControl(IDC_CAPTIONS_UP, row > 0);
    EnableControl(IDC_CAPTIONS_DOWN, row >= 0 && row + 1 < rows);
    EnableControl(IDC_CAPTIONS_ADD, settings_.custom.size() < MAX_CUSTOM_LINES);
    EnableControl(IDC_CAPTIONS_EDIT_LINE, IsCustomLine(line));
    EnableControl(IDC_CAPTIONS_REMOVE, IsCustomLine(line));
    // A button that goes grey with the focus on it would leave the keyboard nowhere.
    HWND focus = GetFocus();
    if (focus && GetParent(focus) == Handle() && !IsWindowEnabled(focus)) SetFocus(Item(IDC_CAPTIONS_LIST));
}

bool CaptionsPage::OnNotify(int id, NMHDR& header, LRESULT& result)
{
    if (id != IDC_CAPTIONS_LIST || filling_) return false;
    // A line an administrator set keeps its tick, and is drawn grey.
    if (header.code == LVN_ITEMCHANGING) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        result = (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) &&
                 LineLocked(LineAt(change.iItem));
        return true;
    }
    if (header.code == NM_CUSTOMDRAW) {
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
        } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            if (LineLocked(LineAt(static_cast<int>(draw.nmcd.dwItemSpec)))) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            result = CDRF_DODEFAULT;
        }
        return true;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!(change.uChanged & LVIF_STATE)) return false;
        if ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) {
            const CaptionLine line = LineAt(change.iItem);
            const int32_t shown = ListView_GetCheckState(header.hwndFrom, static_cast<UINT>(change.iItem)) ? 1 : 0;
            if (IsCustomLine(line))
                settings_.custom[static_cast<size_t>(line - CAPTION_COUNT)].shown = shown;
            else if (line >= 0)
                settings_.enabled[static_cast<size_t>(line)] = shown;
            PostSettingsChanged();
        }
        ShowSelection();
        return true;
    }
    if (header.code == NM_DBLCLK && IsCustomLine(LineAt(SelectedRow()))) {
        EditCustomLine(false);
        return true;
    }
    return false;
}

bool CaptionsPage::OnCommand(int id, int code, HWND)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_CAPTIONS_UP: Move(-1); return true;
        case IDC_CAPTIONS_DOWN: Move(1); return true;
        case IDC_CAPTIONS_ADD: EditCustomLine(true); return true;
        case IDC_CAPTIONS_EDIT_LINE: EditCustomLine(false); return true;
        case IDC_CAPTIONS_REMOVE: RemoveCustomLine(); return true;
        default: return false;
        }
    }
    if (id == IDC_CAPTIONS_VALUE && code == EN_CHANGE && !filling_) {
        const int row = SelectedRow();
        const CaptionLine line = LineAt(row);
        if (line < 0) return true;
        char text[MAX_CUSTOM_VALUE + 1] = "";
        GetDlgItemTextA(Handle(), IDC_CAPTIONS_VALUE, text, sizeof text);
        LineValue(values_, line) = WithoutControlCharacters(text);
        ListView_SetItemText(Item(IDC_CAPTIONS_LIST), row, VALUE_COLUMN, const_cast<char*>(LineValue(values_, line).c_str()));
        PostSettingsChanged();
        return true;
    }
    return false;
}

void CaptionsPage::Move(int step)
{
    const int row = SelectedRow();
    std::vector<CaptionLine> order = rows_;
    const int target = row + step;
    if (row < 0 || target < 0 || target >= static_cast<int>(order.size())) return;
    std::swap(order[static_cast<size_t>(row)], order[static_cast<size_t>(target)]);
    settings_.order = order;
    FillList(target);
    PostSettingsChanged();
}

void CaptionsPage::EditCustomLine(bool adding)
{
    const CaptionLine line = LineAt(SelectedRow());
    if (adding ? settings_.custom.size() >= MAX_CUSTOM_LINES : !IsCustomLine(line)) return;
    const size_t index = adding ? settings_.custom.size() : static_cast<size_t>(line - CAPTION_COUNT);
    CustomLineDialog dialog(Host(), adding ? CustomLine{} : settings_.custom[index]);
    const INT_PTR result = dialog.DoModal();
    if (result == -1) ShowStringMessage(Host(), IDS_MSG_WINDOW_FAILED, {SystemErrorText(GetLastError())});
    if (result != IDOK) return;
    if (adding) settings_.custom.emplace_back();
    settings_.custom[index] = dialog.line;
    LineValue(values_, static_cast<CaptionLine>(CAPTION_COUNT + index)) = dialog.Value();
    const std::vector<CaptionLine> order = LineOrder(settings_);
    FillList(static_cast<int>(std::find(order.begin(), order.end(), CAPTION_COUNT + static_cast<int>(index)) - order.begin()));
    PostSettingsChanged();
}

void CaptionsPage::RemoveCustomLine()
{
    const int row = SelectedRow();
    const CaptionLine line = LineAt(row);
    if (!IsCustomLine(line)) return;
    const size_t index = static_cast<size_t>(line - CAPTION_COUNT);
    if (ShowStringMessage(Host(), IDS_MSG_REMOVE_LINE, {settings_.custom[index].label}, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ::RemoveCustomLine(settings_, index);
    if (index < values_.custom.size()) values_.custom.erase(values_.custom.begin() + static_cast<std::ptrdiff_t>(index));
    FillList(row);
    PostSettingsChanged();
}

CustomLineDialog::CustomLineDialog(HWND owner, const CustomLine& edited)
    : KCDialogEx(IDD_CUSTOM_LINE, owner), line(edited)
{
    const CustomSource source = ParseCustomSource(edited.source);
    kind_ = static_cast<int32_t>(source.kind) - 1;
    target_ = source.kind == SourceKind::None ? edited.source : source.target;
}

BOOL CustomLineDialog::OnInitDialog()
{
    static const ControlTableEntry CONTROLS[] = {
        {IDC_CUSTOM_LABEL, ENTRY_HELP, IDS_HELP_LINE_LABEL},
        {IDC_CUSTOM_KIND, ENTRY_HELP, IDS_HELP_LINE_KIND},
        {IDC_CUSTOM_SOURCE, ENTRY_HELP, IDS_HELP_LINE_SOURCE},
        {IDC_CUSTOM_VALUE, ENTRY_HELP, IDS_HELP_LINE_VALUE},
    };
    AddControlTable(CONTROLS);
    for (UINT kind = 0; kind < 4; ++kind)
        SendDlgItemMessageA(Handle(), IDC_CUSTOM_KIND, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadResourceText(IDS_KIND_REGISTRY + kind).c_str()));
    SendDlgItemMessageA(Handle(), IDC_CUSTOM_LABEL, EM_LIMITTEXT, MAX_CUSTOM_LABEL, 0);
    SendDlgItemMessageA(Handle(), IDC_CUSTOM_SOURCE, EM_LIMITTEXT, MAX_CUSTOM_VALUE, 0);
    const BOOL result = KCDialogEx::OnInitDialog();
    SetDlgItemTextA(Handle(), IDC_CUSTOM_VALUE, ValueOf(line.source).c_str());
    RECT owner = {}, window = {};
    if (Parent() && GetWindowRect(Parent(), &owner) && GetWindowRect(Handle(), &window)) {
        const POINT at = CentredOver(owner, {window.right - window.left, window.bottom - window.top}, WorkAreaOf(Parent()));
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return result;
}

std::string CustomLineDialog::SourceInControls() const
{
    char target[MAX_CUSTOM_VALUE + 1] = "";
    GetDlgItemTextA(Handle(), IDC_CUSTOM_SOURCE, target, sizeof target);
    return SourceOfKind(static_cast<int>(SendDlgItemMessageA(Handle(), IDC_CUSTOM_KIND, CB_GETCURSEL, 0, 0)), target);
}

const std::string& CustomLineDialog::ValueOf(const std::string& source)
{
    if (valueSource_ != source) {
        value_ = ReadCustomValue(source);
        valueSource_ = source;
    }
    return value_;
}

bool CustomLineDialog::OnCommand(int id, int code, HWND)
{
    // The value it would read, again once the source stops changing: a file's version may
    // lie on a slow share, and is not read at every keystroke.
    if ((id == IDC_CUSTOM_SOURCE && code == EN_CHANGE) || (id == IDC_CUSTOM_KIND && code == CBN_SELCHANGE)) {
        SetTimer(Handle(), VALUE_TIMER, VALUE_DELAY_MS, nullptr);
        return true;
    }
    return false;
}

INT_PTR CustomLineDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message != WM_TIMER || wParam != VALUE_TIMER) return KCDialogEx::OnMessage(message, wParam, lParam, handled);
    KillTimer(Handle(), VALUE_TIMER);
    SetDlgItemTextA(Handle(), IDC_CUSTOM_VALUE, ValueOf(SourceInControls()).c_str());
    handled = true;
    return 0;
}

void CustomLineDialog::DoDataExchange(DataExchange& exchange)
{
    exchange.Text(IDC_CUSTOM_LABEL, line.label);
    exchange.Selection(IDC_CUSTOM_KIND, kind_);
    exchange.Text(IDC_CUSTOM_SOURCE, target_);
    line.label = CustomLabelText(line.label);
    line.source = SourceOfKind(kind_, target_);
}
