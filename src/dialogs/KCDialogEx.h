#pragma once
// The dialog base of every Murvex dialog. Through one table per dialog it anchors
// controls to the dialog's edges, adds a size gripper and a minimum tracking size
// to resizable dialogs, shows each control's help on F1, right-click and the
// context-menu key, gives tooltips, extra fonts and per-control colours.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/Dialog.h"
#include "win/Handles.h"

enum ControlEntryFlag : uint32_t {
    ANCHOR_TOP = 0x1,
    ANCHOR_LEFT = 0x2,
    ANCHOR_RIGHT = 0x4,
    ANCHOR_BOTTOM = 0x8,
    ANCHOR_MASK = 0xF,
    ENTRY_FONT = 0x800,  // value: index into the dialog's fonts
    ENTRY_TEXT_COLOR = 0x1000,
    ENTRY_BACK_COLOR = 0x2000,  // value -1: transparent
    ENTRY_HELP = 0x3000,        // value: help string id
    ENTRY_KIND_MASK = 0x7000,
    ENTRY_TOOLTIP = 0x10000,  // value: tooltip string id
};

// A colour value naming a system colour (index in the low 16 bits).
constexpr uint32_t SYSTEM_COLOR = 0x10000000;
constexpr uint32_t TRANSPARENT_COLOR = 0xFFFFFFFF;

struct ControlTableEntry {
    int controlId;
    uint32_t flags;
    uint32_t value;
};

// The dialog's child control at a point on the screen: the topmost visible one, a
// control inside a group box rather than the box; null for none.
HWND ControlAtPoint(HWND dialog, POINT screenPoint);

class KCDialogEx : public Dialog {
public:
    explicit KCDialogEx(UINT templateId, HWND parent = nullptr);
    ~KCDialogEx() override;

    void AddControlTable(const ControlTableEntry* entries, size_t count);
    template <size_t N>
    void AddControlTable(const ControlTableEntry (&entries)[N])
    {
        AddControlTable(entries, N);
    }
    void AddControlEntry(int controlId, uint32_t flags, uint32_t value);

    // The dialog owns the font from here on.
    int AddFont(HFONT font);
    // A copy of the dialog's font with another face, size (tenths of a point,
    // 0 keeps it) and style (0x1 bold, 0x2 italic, 0x4 underline, 0x8 strike-out).
    int CreateFontVariant(const char* faceName, int decipoints, uint32_t style);
    HFONT Font(int index) const;

    bool ShowContextHelp(HWND controlWindow, int x, int y);

    // Controls whose value an administrator set by policy: greyed from now on, whatever
    // the dialog's own enabling says, and their help says why. A note adds a sentence to
    // a control's help without greying it.
    void LockControls(const std::vector<int>& ids);
    void AddHelpNote(int controlId, UINT stringId) { helpNotes_.push_back({controlId, stringId}); }
    bool IsLocked(int controlId) const;
    // The dialog's own enabling of a control: a locked one stays grey.
    void EnableControl(int controlId, bool enabled);

    void SetMinTrackHeight(int height) { minTrackSize_.cy = height; }
    int GetMinTrackWidth() const { return minTrackSize_.cx; }
    int GetMinTrackHeight() const { return minTrackSize_.cy; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnSize(UINT type);

private:
    struct ControlEntry {
        HWND control;
        uint32_t flags;
        uint32_t value;
        RECT initial;   // in the dialog's client coordinates
        RECT distance;  // anchored edges: control edge minus the dialog window's edge
        BrushHandle brush;
    };

    void AddEntry(HWND control, uint32_t flags, uint32_t value);
    RECT WindowRectInClient() const;
    void CreateGripper();
    void DestroyOwned();
    INT_PTR OnControlColor(HDC dc, HWND control, UINT message, bool& handled);

    uint32_t dialogFlags_ = 0;
    std::vector<ControlEntry> controlEntries_;
    std::vector<FontHandle> fonts_;
    bool initialised_ = false;
    SIZE minTrackSize_ = {0, 0};
    std::vector<uint32_t> topicPairs_;
    std::vector<int> locked_;
    std::vector<std::pair<int, UINT>> helpNotes_;
    WindowHandle toolTip_;
    WindowHandle gripperHighlight_;
    WindowHandle gripperShadow_;
};
