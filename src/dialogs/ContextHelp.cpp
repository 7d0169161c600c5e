#include "dialogs/ContextHelp.h"

#include "win/Dialog.h"
#include "win/MessageBox.h"
#include "win/Placement.h"
#include "win/ModalLoop.h"

namespace {

const char* const POPUP_CLASS = "MurvexHelpPopup";
// The popup: 8-point MS Sans Serif in the window colours, HELP_POPUP_MARGIN pixels
// inside a thin border, wrapped at 50 average characters.
constexpr int POPUP_DECIPOINTS = 80;
constexpr int POPUP_WIDTH_CHARS = 50;
constexpr DWORD POPUP_STYLE = WS_POPUP | WS_BORDER;

}  // namespace

POINT PlaceHelpPopup(int x, int y, int width, int height, const RECT& workArea)
{
    const int half = width / 2;
    int left = x - half;
    if (left < workArea.left)
        left = workArea.left;
    else if (x + half > workArea.right)
        left = (workArea.right - half) - half;
    if (left < workArea.left) left = workArea.left;  // wider than the work area

    int top;
    if (y + height <= workArea.bottom)
        top = y;
    else if (y - height >= workArea.top && y < workArea.bottom)
        top = y - height;
    else
        top = workArea.bottom - height;
    return POINT{left, top};
}

int HelpTopicId(HWND control)
{
    if (!control) return 0;
    int id = GetDlgCtrlID(control);
    if (id == UNNAMED_CONTROL_ID && (GetWindowLongA(control, GWL_STYLE) & WS_CHILD)) {
        HWND next = GetWindow(control, GW_HWNDNEXT);
        id = next ? GetDlgCtrlID(next) : 0;
    }
    return id;
}

std::string HelpTopicText(HWND control, const std::vector<uint32_t>& topicPairs)
{
    if (!control) return std::string();
    const int id = HelpTopicId(control);
    for (size_t i = 0; i + 1 < topicPairs.size(); i += 2)
        if (topicPairs[i] == static_cast<uint32_t>(id)) return LoadResourceText(topicPairs[i + 1]);
    return std::string();
}

bool HelpPopup::Create(const std::string& text, int x, int y, HWND owner)
{
    owner_ = owner;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = POPUP_CLASS;
    RegisterClassA(&windowClass);  // fails harmlessly once registered

    // Made first, so that the text is measured on the very DC, in the font and with the
    // flags it is painted with, and the frame is the one the system gives the style.
    window_.Reset(CreateWindowExA(0, POPUP_CLASS, "", POPUP_STYLE, 0, 0, 0, 0, owner_, nullptr,
                                  GetModuleHandleA(nullptr), this));
    if (!window_) return false;
    const WindowDC dc(window_.Get());
    LOGFONTA description = {};
    lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    description.lfHeight = FontHeightFromDecipoints(POPUP_DECIPOINTS, GetDeviceCaps(dc.Get(), LOGPIXELSY));
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    font_.Reset(CreateFontIndirectA(&description));

    RECT frame = {};
    {
        SelectObjectScope scope(dc.Get(), font_.Get());
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc.Get(), &metrics);
        frame = {0, 0, POPUP_WIDTH_CHARS * metrics.tmAveCharWidth, 100};
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &frame, DT_CALCRECT | HELP_POPUP_TEXT_FORMAT);
    }
    InflateRect(&frame, HELP_POPUP_MARGIN, HELP_POPUP_MARGIN);
    AdjustWindowRectEx(&frame, POPUP_STYLE, FALSE, 0);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;

    // Inside the work area of the monitor that holds the point asked about.
    const POINT place = PlaceHelpPopup(x, y, w, h, WorkAreaAt(POINT{x, y}));
    SetWindowPos(window_.Get(), nullptr, place.x, place.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(window_.Get(), text.c_str());
    return true;
}

void HelpPopup::RunModal()
{
    if (!window_) return;
    {
        const MouseCaptureScope capture(window_.Get());
        const OwnerDisabled disabled(owner_, window_.Get());
        ShowWindow(window_.Get(), SW_SHOW);
        SetActiveWindow(window_.Get());
        SetFocus(window_.Get());
        ended_ = false;
        PumpUntil([this] { return ended_; },
                  [this](MSG& message) {
                      switch (message.message) {
                      case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
                      case WM_MBUTTONDOWN:
                          ended_ = true;  // the press reaches the popup only, which has capture and focus
                          break;
                      default:
                          break;
                      }
                      return false;
                  });
        SetWindowPos(window_.Get(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    window_.Reset();
}

LRESULT CALLBACK HelpPopup::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HelpPopup*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HelpPopup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->window_.Get() == window) return self->OnMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HelpPopup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_.Get(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
        return TRUE;
    }
    case WM_PAINT: {
        const PaintScope paint(window_.Get());
        HDC dc = paint.Dc();
        const int length = GetWindowTextLengthA(window_.Get());
        std::string text(static_cast<size_t>(length) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(window_.Get(), text.data(), length + 1)));
        RECT area;
        GetClientRect(window_.Get(), &area);
        InflateRect(&area, -HELP_POPUP_MARGIN, -HELP_POPUP_MARGIN);
        SelectObjectScope scope(dc, font_.Get());
        const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, HELP_POPUP_TEXT_FORMAT);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_.Get());
    case WM_CAPTURECHANGED:
        // Another window took the mouse (the user switched away): the popup goes.
        if (reinterpret_cast<HWND>(lParam) != window_.Get()) {
            ended_ = true;
            PostMessageA(window_.Get(), WM_NULL, 0, 0);  // wakes the loop
        }
        return 0;
    default:
        return DefWindowProcA(window_.Get(), message, wParam, lParam);
    }
}

void ContextHelp::ShowTopic(HWND controlWindow, const std::vector<uint32_t>& topicPairs, POINT point)
{
    ShowText(controlWindow, HelpTopicText(controlWindow, topicPairs), point);
}

void ContextHelp::ShowText(HWND controlWindow, const std::string& text, POINT point)
{
    if (text.empty()) return;
    HelpPopup popup;
    if (popup.Create(text, point.x, point.y, GetAncestor(controlWindow, GA_ROOT))) popup.RunModal();
}
