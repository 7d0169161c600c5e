#include "dialogs/KCDialogEx.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/ContextHelp.h"
#include "dialogs/KCWinAppEx.h"
#include "resources/resource.h"
#include "win/MessageBox.h"
#include "win/WinApp.h"

namespace {

bool IsGroupBox(HWND window)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0 && (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}


COLORREF ResolveColor(uint32_t value)
{
    return (value & SYSTEM_COLOR) ? GetSysColor(static_cast<int>(value & 0xFFFF)) : static_cast<COLORREF>(value);
}

}  // namespace

HWND ControlAtPoint(HWND dialog, POINT screenPoint)
{
    // A group box surrounds the controls it groups: the control inside it is the one meant.
    HWND groupBox = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        if (!IsWindowVisible(child) || !GetWindowRect(child, &rect) || !PtInRect(&rect, screenPoint)) continue;
        if (!IsGroupBox(child)) return child;
        if (!groupBox) groupBox = child;
    }
    return groupBox;
}

KCDialogEx::KCDialogEx(UINT templateId, HWND parent) : Dialog(templateId, parent)
{
    if (auto* app = dynamic_cast<KCWinAppEx*>(WinApp::Current())) dialogFlags_ = app->GetDialogFlags();
}

KCDialogEx::~KCDialogEx() { DestroyOwned(); }

RECT KCDialogEx::WindowRectInClient() const
{
    RECT rect = {};
    GetWindowRect(Handle(), &rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void KCDialogEx::AddControlTable(const ControlTableEntry* entries, size_t count)
{
    for (size_t i = 0; i < count; ++i) AddControlEntry(entries[i].controlId, entries[i].flags, entries[i].value);
}

void KCDialogEx::AddControlEntry(int controlId, uint32_t flags, uint32_t value)
{
    if ((flags & ENTRY_KIND_MASK) == ENTRY_HELP) {
        if (controlId != 0 && controlId != -1) {
            topicPairs_.push_back(static_cast<uint32_t>(controlId));
            topicPairs_.push_back(value);
        }
        flags &= ~static_cast<uint32_t>(ENTRY_KIND_MASK);
        if (!flags) return;
    }
    HWND control = Item(controlId);
    if (control) AddEntry(control, flags, value);
}

void KCDialogEx::AddEntry(HWND control, uint32_t flags, uint32_t value)
{
    if (flags & ENTRY_TOOLTIP) {
        if (!toolTip_) {
            toolTip_.Reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
        }
        if (toolTip_) {
            std::string text = LoadResourceText(value);
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = Handle();
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = text.data();
            SendMessageA(toolTip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        flags &= ~static_cast<uint32_t>(ENTRY_TOOLTIP);
    }
    if (!flags) return;

    ControlEntry entry = {control, flags, value, {}, {}, BrushHandle()};
    GetWindowRect(control, &entry.initial);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&entry.initial), 2);
    if (flags & ANCHOR_MASK) {
        const RECT dialog = WindowRectInClient();
        entry.distance = {entry.initial.left - dialog.left, entry.initial.top - dialog.top,
                          entry.initial.right - dialog.right, entry.initial.bottom - dialog.bottom};
    }
    controlEntries_.push_back(std::move(entry));
}

int KCDialogEx::AddFont(HFONT font)
{
    fonts_.emplace_back(font);
    return static_cast<int>(fonts_.size()) - 1;
}

HFONT KCDialogEx::Font(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < fonts_.size() ? fonts_[static_cast<size_t>(index)].Get() : nullptr;
}

int KCDialogEx::CreateFontVariant(const char* faceName, int decipoints, uint32_t style)
{
    const int pixelsPerInch = GetDeviceCaps(WindowDC(Handle()).Get(), LOGPIXELSY);
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (!dialogFont || !GetObjectA(dialogFont, sizeof description, &description)) return -1;
    if (faceName) lstrcpynA(description.lfFaceName, faceName, LF_FACESIZE);
    if (decipoints) description.lfHeight = FontHeightFromDecipoints(decipoints, pixelsPerInch);
    description.lfWeight = (style & 0x1) ? FW_BOLD : FW_NORMAL;
    description.lfItalic = static_cast<BYTE>((style & 0x2) != 0);
    description.lfUnderline = static_cast<BYTE>((style & 0x4) != 0);
    description.lfStrikeOut = static_cast<BYTE>((style & 0x8) != 0);
    HFONT font = CreateFontIndirectA(&description);
    return font ? AddFont(font) : -1;
}

bool KCDialogEx::ShowContextHelp(HWND controlWindow, int x, int y)
{
    std::string text = HelpTopicText(controlWindow, topicPairs_);
    const int id = HelpTopicId(controlWindow);
    for (const auto& [controlId, stringId] : helpNotes_)
        if (controlId == id && !text.empty()) text += "\n\n" + LoadResourceText(stringId);
    ContextHelp().ShowText(controlWindow, text, POINT{x, y});
    return true;
}

void KCDialogEx::LockControls(const std::vector<int>& ids)
{
    locked_ = ids;
    for (int id : ids) {
        AddHelpNote(id, IDS_HELP_SET_BY_POLICY);
        EnableControl(id, false);
    }
}

bool KCDialogEx::IsLocked(int controlId) const
{
    return std::find(locked_.begin(), locked_.end(), controlId) != locked_.end();
}

void KCDialogEx::EnableControl(int controlId, bool enabled)
{
    if (HWND control = Item(controlId)) EnableWindow(control, enabled && !IsLocked(controlId));
}

BOOL KCDialogEx::OnInitDialog()
{
    Dialog::OnInitDialog();
    if (minTrackSize_.cx == 0 && minTrackSize_.cy == 0) {
        RECT window;
        GetWindowRect(Handle(), &window);
        minTrackSize_ = {window.right - window.left, window.bottom - window.top};
    }
    CreateGripper();
    for (const ControlEntry& entry : controlEntries_)
        if (entry.flags & ENTRY_FONT) SendMessageA(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(static_cast<int>(entry.value))), TRUE);
    if (toolTip_) SendMessageA(toolTip_.Get(), TTM_ACTIVATE, TRUE, 0);
    for (int id : locked_) EnableControl(id, false);  // locked before the dialog was made
    initialised_ = true;
    return TRUE;
}

void KCDialogEx::CreateGripper()
{
    if (!Handle() || gripperHighlight_) return;
    if (!(GetWindowLongA(Handle(), GWL_STYLE) & WS_THICKFRAME)) return;

    // The gripper's two glyphs of the Marlett symbol font, 12 points for this display.
    const WindowDC screen(Handle());
    LOGFONTA description = {};
    lstrcpynA(description.lfFaceName, "Marlett", LF_FACESIZE);
    description.lfHeight = FontHeightFromDecipoints(120, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    description.lfCharSet = SYMBOL_CHARSET;
    const int fontIndex = AddFont(CreateFontIndirectA(&description));
    TEXTMETRICA metrics = {};
    {
        SelectObjectScope scope(screen.Get(), Font(fontIndex));
        GetTextMetricsA(screen.Get(), &metrics);
    }

    RECT client;
    GetClientRect(Handle(), &client);
    const RECT cell = {client.right - metrics.tmMaxCharWidth, client.bottom - metrics.tmHeight, client.right,
                       client.bottom};
    const bool rightToLeft = (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    auto label = [&](const char* text) {
        return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_RIGHT, cell.left, cell.top,
                               cell.right - cell.left, cell.bottom - cell.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(UNNAMED_CONTROL_ID)), GetModuleHandleA(nullptr),
                               nullptr);
    };
    gripperHighlight_.Reset(label(rightToLeft ? "x" : "o"));
    gripperShadow_.Reset(label(rightToLeft ? "y" : "p"));
    const UINT topOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(gripperShadow_.Get(), HWND_TOP, 0, 0, 0, 0, topOnly);
    SetWindowPos(gripperHighlight_.Get(), HWND_TOP, 0, 0, 0, 0, topOnly);

    const uint32_t font = static_cast<uint32_t>(fontIndex);
    AddEntry(gripperHighlight_.Get(), ENTRY_FONT, font);
    AddEntry(gripperHighlight_.Get(), ENTRY_TEXT_COLOR, SYSTEM_COLOR | COLOR_BTNHIGHLIGHT);
    AddEntry(gripperHighlight_.Get(), ANCHOR_RIGHT | ANCHOR_BOTTOM, 0);
    AddEntry(gripperShadow_.Get(), ENTRY_FONT, font);
    AddEntry(gripperShadow_.Get(), ENTRY_TEXT_COLOR, SYSTEM_COLOR | COLOR_BTNSHADOW);
    AddEntry(gripperShadow_.Get(), ENTRY_BACK_COLOR, TRANSPARENT_COLOR);
    AddEntry(gripperShadow_.Get(), ANCHOR_RIGHT | ANCHOR_BOTTOM, 0);
    if (initialised_) {
        SendMessageA(gripperHighlight_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font(fontIndex)), TRUE);
        SendMessageA(gripperShadow_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font(fontIndex)), TRUE);
    }
}

void KCDialogEx::OnSize(UINT type)
{
    RECT client;
    GetClientRect(Handle(), &client);
    if (!initialised_ || IsRectEmpty(&client)) return;
    const RECT dialog = WindowRectInClient();
    for (const ControlEntry& entry : controlEntries_) {
        if (!(entry.flags & ANCHOR_MASK)) continue;
        RECT rect;
        GetWindowRect(entry.control, &rect);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
        const int width = entry.initial.right - entry.initial.left;
        const int height = entry.initial.bottom - entry.initial.top;
        if (entry.flags & ANCHOR_LEFT) rect.left = dialog.left + entry.distance.left;
        if (entry.flags & ANCHOR_RIGHT) rect.right = dialog.right + entry.distance.right;
        if ((entry.flags & (ANCHOR_LEFT | ANCHOR_RIGHT)) == ANCHOR_RIGHT) rect.left = rect.right - width;
        if ((entry.flags & (ANCHOR_LEFT | ANCHOR_RIGHT)) == ANCHOR_LEFT) rect.right = rect.left + width;
        if (entry.flags & ANCHOR_TOP) rect.top = dialog.top + entry.distance.top;
        if (entry.flags & ANCHOR_BOTTOM) rect.bottom = dialog.bottom + entry.distance.bottom;
        if ((entry.flags & (ANCHOR_TOP | ANCHOR_BOTTOM)) == ANCHOR_BOTTOM) rect.top = rect.bottom - height;
        if ((entry.flags & (ANCHOR_TOP | ANCHOR_BOTTOM)) == ANCHOR_TOP) rect.bottom = rect.top + height;
        MoveWindow(entry.control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        InvalidateRect(entry.control, nullptr, TRUE);
    }
    const bool hide = type == SIZE_MAXIMIZED;
    for (HWND label : {gripperHighlight_.Get(), gripperShadow_.Get()})
        if (label) ShowWindow(label, hide ? SW_HIDE : SW_SHOWNA);
}

INT_PTR KCDialogEx::OnControlColor(HDC dc, HWND control, UINT message, bool& handled)
{
    HBRUSH brush = nullptr;
    for (ControlEntry& entry : controlEntries_) {
        if (entry.control != control) continue;
        const uint32_t kind = entry.flags & ENTRY_KIND_MASK;
        if (kind == ENTRY_TEXT_COLOR) {
            SetTextColor(dc, ResolveColor(entry.value));
            if (!brush) {
                const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
                SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
                brush = GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE);
            }
            handled = true;
        } else if (kind == ENTRY_BACK_COLOR) {
            if (entry.value == TRANSPARENT_COLOR) {
                SetBkMode(dc, TRANSPARENT);
                brush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
            } else {
                const COLORREF color = ResolveColor(entry.value);
                SetBkColor(dc, color);
                if (!entry.brush) entry.brush.Reset(CreateSolidBrush(color));
                brush = entry.brush.Get();
            }
            handled = true;
        }
    }
    return reinterpret_cast<INT_PTR>(brush);
}

void KCDialogEx::DestroyOwned()
{
    controlEntries_.clear();
    toolTip_.Reset();
    gripperHighlight_.Reset();
    gripperShadow_.Reset();
    fonts_.clear();
    topicPairs_.clear();
    initialised_ = false;
}

bool KCDialogEx::PreTranslateMessage(MSG& message)
{
    if (toolTip_) SendMessageA(toolTip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    return Dialog::PreTranslateMessage(message);
}

INT_PTR KCDialogEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam));
        return 0;
    case WM_GETMINMAXINFO:
        if (minTrackSize_.cx != 0) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {minTrackSize_.cx, minTrackSize_.cy};
        }
        return 0;
    case WM_NCHITTEST: {
        if (GetCapture() || !gripperHighlight_.Get() || !IsWindowVisible(gripperHighlight_.Get())) return 0;
        RECT gripper;
        GetWindowRect(gripperHighlight_.Get(), &gripper);
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (!PtInRect(&gripper, point)) return 0;
        handled = true;
        return (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    }
    case WM_STYLECHANGED:
        CreateGripper();
        return 0;
    case WM_HELP: {
        const auto* help = reinterpret_cast<HELPINFO*>(lParam);
        handled = true;
        if (help->iContextType == HELPINFO_WINDOW)
            ShowContextHelp(static_cast<HWND>(help->hItemHandle), help->MousePos.x,
                            help->MousePos.y + GetSystemMetrics(SM_CYCURSOR) / 2);
        return TRUE;
    }
    case WM_CONTEXTMENU: {
        if (!(dialogFlags_ & DIALOG_HELP_ON_RIGHT_CLICK)) return 0;
        HWND window = reinterpret_cast<HWND>(wParam);
        int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (window == Handle() && !(x == -1 && y == -1)) {
            // Labels and disabled controls let clicks through to the dialog: find them.
            if (HWND child = ControlAtPoint(Handle(), POINT{x, y})) window = child;
        }
        if (window == Handle() || !window) return 0;
        if (x == -1 && y == -1) {
            RECT rect;
            GetWindowRect(window, &rect);
            x = (rect.left + rect.right) / 2;
            y = rect.bottom;
        } else {
            y += GetSystemMetrics(SM_CYCURSOR) / 2;
        }
        handled = true;
        ShowContextHelp(window, x, y);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, handled);
    case WM_DESTROY:
        DestroyOwned();
        return 0;
    default:
        return 0;
    }
}
