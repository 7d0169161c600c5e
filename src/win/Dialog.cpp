#include "win/Dialog.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "win/ReflectedControl.h"
#include "win/MessageBox.h"
#include "win/ModalLoop.h"
#include "win/ResourceText.h"
#include "win/WinApp.h"

namespace {

// The dialog whose window is being created: bound on the first message its window sees.
thread_local Dialog* creating = nullptr;

constexpr WORD DLGINIT_LB_ADDSTRING = 0x0401;  // initialisation data names the 16-bit messages
constexpr WORD DLGINIT_CB_ADDSTRING = 0x0403;
constexpr UINT RT_DIALOG_INIT = 240;

std::string ControlText(HWND control)
{
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string ClassOf(HWND control)
{
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    return name;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ParseDigits(const std::string& digits, unsigned long long limit, unsigned long long& value)
{
    if (digits.empty()) return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > limit) return false;
    }
    return true;
}

// Messages whose result a dialog procedure returns itself rather than through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// DataExchange

bool DataExchange::ParseUnsigned(const std::string& text, uint32_t& value)
{
    unsigned long long parsed = 0;
    if (!ParseDigits(Trimmed(text), UINT32_MAX, parsed)) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

void DataExchange::Fail(int id, const std::string& message)
{
    failed_ = true;
    HWND control = dialog_.Item(id);
    ShowMessage(dialog_.Handle(), message, MB_OK);
    if (!control) return;
    SendMessageA(dialog_.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

void DataExchange::Text(int id, std::string& value)
{
    if (!Active()) return;
    if (save_)
        value = ControlText(dialog_.Item(id));
    else
        SetDlgItemTextA(dialog_.Handle(), id, value.c_str());
}

void DataExchange::Number(int id, uint32_t& value)
{
    if (!Active()) return;
    if (!save_) {
        SetDlgItemTextA(dialog_.Handle(), id, std::to_string(value).c_str());
        return;
    }
    uint32_t parsed = 0;
    if (!ParseUnsigned(ControlText(dialog_.Item(id)), parsed))
        Fail(id, "Please enter a positive integer.");
    else
        value = parsed;
}

namespace {

std::string RangeMessage(uint32_t minimum, uint32_t maximum)
{
    return FillPlaceholders("Please enter an integer between %1 and %2.",
                            {std::to_string(minimum), std::to_string(maximum)});
}

}  // namespace

void DataExchange::UnsignedRange(int id, uint32_t value, uint32_t minimum, uint32_t maximum)
{
    if (Active() && save_ && (value < minimum || value > maximum)) Fail(id, RangeMessage(minimum, maximum));
}

void DataExchange::Check(int id, int32_t& value)
{
    if (!Active()) return;
    if (save_)
        value = static_cast<int32_t>(IsDlgButtonChecked(dialog_.Handle(), id));
    else
        CheckDlgButton(dialog_.Handle(), id, static_cast<UINT>(value));
}

void DataExchange::Radio(int firstId, int32_t& index)
{
    if (!Active()) return;
    HWND button = dialog_.Item(firstId);
    int32_t position = 0;
    if (save_) index = -1;
    while (button) {
        if (save_ && SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
        if (!save_) SendMessageA(button, BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED, 0);
        button = GetWindow(button, GW_HWNDNEXT);
        if (!button || (GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) break;
        const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
        if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON) break;
        ++position;
    }
}

void DataExchange::Selection(int id, int32_t& index)
{
    if (!Active()) return;
    HWND control = dialog_.Item(id);
    const bool combo = lstrcmpiA(ClassOf(control).c_str(), "ComboBox") == 0;
    if (save_)
        index = static_cast<int32_t>(SendMessageA(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    else
        SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---------------------------------------------------------------------------
// Dialog

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog()
{
    if (window_) {
        // The derived parts are gone: no handler may run any more.
        SetWindowLongPtrA(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
}

Dialog* Dialog::FromHandle(HWND window)
{
    if (!window) return nullptr;
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0) return nullptr;
    if (reinterpret_cast<DLGPROC>(GetWindowLongPtrA(window, DWLP_DLGPROC)) != Procedure) return nullptr;
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

bool Dialog::PreTranslateChain(MSG& message)
{
    for (HWND window = GetFocus(); window; window = GetAncestor(window, GA_PARENT))
        if (Dialog* dialog = FromHandle(window))
            if (dialog->PreTranslateMessage(message)) return true;
    return false;
}

bool Dialog::PreTranslateMessage(MSG&) { return false; }

INT_PTR Dialog::DoModal()
{
    HWND owner = parent_;
    creating = this;
    ending_ = false;
    result_ = -1;
    HWND window = CreateDialogParamA(WinApp::ResourceModule(), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    creating = nullptr;
    if (!window) return -1;
    {
        const OwnerDisabled disabled(owner, window);
        if (!ending_) ShowWindow(window, SW_SHOW);
        PumpUntil([this] { return ending_; },
                  [this](MSG& message) {
                      return PreTranslateChain(message) || (window_ && IsDialogMessageA(window_, &message));
                  });
    }
    if (window_) DestroyWindow(window_);
    return result_;
}

bool Dialog::Create(HWND parent)
{
    parent_ = parent;
    creating = this;
    HWND window = CreateDialogParamA(WinApp::ResourceModule(), MAKEINTRESOURCEA(templateId_), parent, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    creating = nullptr;
    // A dialog that could not set itself up destroys its window in WM_INITDIALOG.
    return window != nullptr && window == window_;
}

void Dialog::EndDialog(INT_PTR result)
{
    result_ = result;
    ending_ = true;
    if (window_) PostMessageA(window_, WM_NULL, 0, 0);  // wakes the loop
}

bool Dialog::UpdateData(bool save)
{
    DataExchange exchange(*this, save);
    const bool wasTransferring = transferringToControls_;
    transferringToControls_ = !save;
    DoDataExchange(exchange);
    transferringToControls_ = wasTransferring;
    return !exchange.Failed();
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::ApplyInitialisationData()
{
    HINSTANCE module = WinApp::ResourceModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId_), MAKEINTRESOURCEA(RT_DIALOG_INIT));
    if (!found) return;
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const size_t size = SizeofResource(module, found);
    if (!data) return;
    // Entries: control id, message, byte count (32 bits), bytes; a zero id ends them.
    for (size_t offset = 0; offset + 2 <= size;) {
        WORD id = 0, message = 0;
        DWORD length = 0;
        std::memcpy(&id, data + offset, 2);
        if (id == 0 || offset + 8 > size) break;
        std::memcpy(&message, data + offset + 2, 2);
        std::memcpy(&length, data + offset + 4, 4);
        if (length > size - offset - 8) break;
        const std::string text(reinterpret_cast<const char*>(data + offset + 8), length);
        UINT sent = message;
        if (message == DLGINIT_CB_ADDSTRING) sent = CB_ADDSTRING;
        if (message == DLGINIT_LB_ADDSTRING) sent = LB_ADDSTRING;
        SendDlgItemMessageA(window_, id, sent, 0, reinterpret_cast<LPARAM>(text.c_str()));
        offset += 8 + length;
    }
}

BOOL Dialog::OnInitDialog()
{
    ApplyInitialisationData();
    UpdateData(false);
    return TRUE;
}

bool Dialog::OnCommand(int, int, HWND) { return false; }
bool Dialog::OnNotify(int, NMHDR&, LRESULT&) { return false; }
INT_PTR Dialog::OnMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }

void Dialog::OnOK()
{
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self && creating) {
        self = creating;
        creating = nullptr;
        self->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return FALSE;
    const INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        // What our own transfer into the controls caused is no user change.
        if (control && transferringToControls_) return TRUE;
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (OnCommand(id, code, control)) return TRUE;
        if (!control || code == BN_CLICKED) {
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!OnNotify(static_cast<int>(header->idFrom), *header, result)) break;
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    default:
        break;
    }
    bool handled = false;
    INT_PTR result = 0;
    // What a control asked its parent for goes back to the control's own object.
    if (ReflectedControl* control =
            ReflectedControl::FromHandle(ReflectedControl::NotifyingControl(window_, message, lParam))) {
        LRESULT reflected = 0;
        handled = control->OnReflected(message, wParam, lParam, reflected);
        result = reflected;
    }
    if (!handled) result = OnMessage(message, wParam, lParam, handled);
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return result;
    if (window_) SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
}
