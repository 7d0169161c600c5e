#include "win/CheckListBox.h"

#include <commctrl.h>

#include <algorithm>

#include "win/Handles.h"

namespace {

constexpr UINT_PTR SUBCLASS_ID = 0x4D43;

}  // namespace

CheckListBox::~CheckListBox() { Detach(); }

bool CheckListBox::Attach(HWND dialog, int id)
{
    Detach();
    HWND list = GetDlgItem(dialog, id);
    if (!list || !SetWindowSubclass(list, SubclassProc, SUBCLASS_ID, reinterpret_cast<DWORD_PTR>(this))) return false;
    list_ = list;
    Bind(list_);
    // Rows as tall as the text or the check box, whichever is taller.
    TEXTMETRICA metrics = {};
    {
        const WindowDC dc(list_);
        SelectObjectScope font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc.Get(), &metrics);
    }
    const int height = std::max<int>(metrics.tmHeight, GetSystemMetrics(SM_CYMENUCHECK)) + 2;
    SendMessageA(list_, LB_SETITEMHEIGHT, 0, height);
    return true;
}

void CheckListBox::Detach()
{
    if (!list_) return;
    RemoveWindowSubclass(list_, SubclassProc, SUBCLASS_ID);
    Unbind(list_);
    list_ = nullptr;
}

int CheckListBox::AddRow(const std::string& text, bool checked) { return InsertRow(-1, text, checked); }

int CheckListBox::InsertRow(int index, const std::string& text, bool checked)
{
    const LRESULT row = SendMessageA(list_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.c_str()));
    if (row < 0) return -1;
    SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(row), checked ? 1 : 0);
    return static_cast<int>(row);
}

void CheckListBox::DeleteRow(int index) { SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
int CheckListBox::Count() const { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }

std::string CheckListBox::RowText(int index) const
{
    const LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool CheckListBox::Checked(int index) const
{
    return SendMessageA(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void CheckListBox::SetChecked(int index, bool checked)
{
    if (index < 0 || index >= Count()) return;
    SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
    RECT row;
    if (SendMessageA(list_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR)
        InvalidateRect(list_, &row, FALSE);
}

std::vector<size_t> CheckListBox::SelectedRows() const
{
    const LRESULT count = SendMessageA(list_, LB_GETSELCOUNT, 0, 0);
    std::vector<size_t> rows;
    if (count <= 0) return rows;
    std::vector<int> indices(static_cast<size_t>(count));
    const LRESULT got = SendMessageA(list_, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(indices.data()));
    for (LRESULT i = 0; i < got; ++i) rows.push_back(static_cast<size_t>(indices[static_cast<size_t>(i)]));
    return rows;
}

void CheckListBox::Select(int index, bool selected)
{
    SendMessageA(list_, LB_SETSEL, selected ? TRUE : FALSE, index);
}

int CheckListBox::BoxWidth() const
{
    RECT row = {};
    SendMessageA(list_, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const int height = row.bottom > row.top ? row.bottom - row.top : GetSystemMetrics(SM_CYMENUCHECK) + 2;
    return height;
}

bool CheckListBox::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const int side = rect.bottom - rect.top;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(list_) != FALSE;

    RECT box = {rect.left + 1, rect.top + 1, rect.left + side - 1, rect.bottom - 1};
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (item.itemData == 1 ? DFCS_CHECKED : 0) |
                         (enabled ? 0 : DFCS_INACTIVE));

    RECT text = rect;
    text.left += side + 1;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT
                                                          : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const std::string label = RowText(static_cast<int>(item.itemID));
    RECT textArea = text;
    textArea.left += 2;
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

void CheckListBox::Toggle(int index)
{
    if (index < 0 || index >= Count()) return;
    const bool checked = !Checked(index);
    SetChecked(index, checked);
    // The space bar on a selected row carries the new state to every selected row.
    if (SendMessageA(list_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0)
        for (size_t row : SelectedRows()) SetChecked(static_cast<int>(row), checked);
}

void CheckListBox::Notify()
{
    HWND parent = GetParent(list_);
    const int id = GetDlgCtrlID(list_);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(list_));
}

LRESULT CALLBACK CheckListBox::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data)
{
    auto* self = reinterpret_cast<CheckListBox*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = static_cast<short>(LOWORD(lParam));
        const LRESULT hit = SendMessageA(window, LB_ITEMFROMPOINT, 0, lParam);
        const int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && x < self->BoxWidth() && IsWindowEnabled(window)) {
            const bool checked = !self->Checked(index);
            self->SetChecked(index, checked);
            self->Notify();
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int caret = static_cast<int>(SendMessageA(window, LB_GETCARETINDEX, 0, 0));
            if (caret >= 0) {
                self->Toggle(caret);
                self->Notify();
            }
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ') return 0;  // handled on key-down
        break;
    case WM_NCDESTROY:
        self->Detach();
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
