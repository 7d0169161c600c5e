#pragma once
// Context help: a small bordered popup near the pointer with a control's help
// text, shown until the next key or mouse-button press.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win/Handles.h"

// Top-left corner of a w x h popup for a request at (x, y), kept inside the work
// area: centred on x (the left edge wins when it is too wide), below y when it
// fits, else above it, else on the work area's bottom.
POINT PlaceHelpPopup(int x, int y, int width, int height, const RECT& workArea);

// The id a control's help is found under: its own; an unnamed label (id 0xFFFF) stands
// for the control after it.
int HelpTopicId(HWND control);
// The help text of a control: that id looked up among (control id, string id) pairs.
std::string HelpTopicText(HWND control, const std::vector<uint32_t>& topicPairs);

// The popup's text stands this many pixels inside its client area, drawn with these flags.
constexpr int HELP_POPUP_MARGIN = 6;
constexpr UINT HELP_POPUP_TEXT_FORMAT = DT_WORDBREAK | DT_NOPREFIX;

class HelpPopup {
public:
    HelpPopup() = default;
    HelpPopup(const HelpPopup&) = delete;
    HelpPopup& operator=(const HelpPopup&) = delete;

    // Measures, places and creates the (hidden) popup, owned by `owner`, which is
    // disabled while the popup shows.
    bool Create(const std::string& text, int x, int y, HWND owner);
    // Shows the popup until a key or mouse button is pressed, then destroys it.
    void RunModal();
    HWND Handle() const { return window_.Get(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    WindowHandle window_;
    HWND owner_ = nullptr;
    FontHandle font_;
    bool ended_ = false;
};

class ContextHelp {
public:
    // Shows the help of controlWindow at point (screen coordinates), owned by the
    // control's top-level window, and returns when it has been dismissed; shows
    // nothing without a topic.
    void ShowTopic(HWND controlWindow, const std::vector<uint32_t>& topicPairs, POINT point);
    // The same with the text given.
    void ShowText(HWND controlWindow, const std::string& text, POINT point);
};
