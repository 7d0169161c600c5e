#pragma once
// Dialogs over the raw Win32 API: modal ones with a message loop of our own, and
// modeless child dialogs (pages). One procedure finds the object behind a window
// (bound on the very first message it sees) and dispatches to virtual handlers.

#include <windows.h>

#include <cstdint>
#include <string>

class Dialog;

// The id a template gives a control it does not name (a label, an icon).
constexpr int UNNAMED_CONTROL_ID = 0xFFFF;

// Moves members to and from controls. A failed validation shows its message,
// puts the focus on the control with its whole text selected, and stops the
// rest of the exchange.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Failed() const { return failed_; }

    void Text(int id, std::string& value);
    // Blanks and tabs may surround the digits; an unsigned number takes no sign.
    void Number(int id, uint32_t& value);
    // Checked when saving only, after the number was read.
    void UnsignedRange(int id, uint32_t value, uint32_t minimum, uint32_t maximum);
    void Check(int id, int32_t& value);
    // Index of the checked button in the radio group that starts at firstId, -1 for none.
    void Radio(int firstId, int32_t& index);
    // Selected index of a list box or combo box, -1 for none.
    void Selection(int id, int32_t& index);

    // The parsing rule, for tests and other callers.
    static bool ParseUnsigned(const std::string& text, uint32_t& value);

private:
    void Fail(int id, const std::string& message);
    bool Active() const { return !failed_; }

    Dialog& dialog_;
    bool save_;
    bool failed_ = false;
};

class Dialog {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally over its owner; the result given to EndDialog, or -1.
    INT_PTR DoModal();
    // Creates the dialog modeless, as a child of parent when its template says so;
    // false, with the thread's last error, when it could not be made.
    bool Create(HWND parent);
    void EndDialog(INT_PTR result);

    HWND Handle() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    // The owner of a modal dialog, the parent of a modeless one.
    HWND Parent() const { return parent_; }

    // Controls to members (save) or members to controls; false when a value failed.
    bool UpdateData(bool save);

    // Focus window's dialog first, then each dialog around it: the first that
    // takes the message ends the walk.
    static bool PreTranslateChain(MSG& message);
    static Dialog* FromHandle(HWND window);

    virtual bool PreTranslateMessage(MSG& message);

protected:
    // Applies the template's initialisation data and moves members into controls.
    virtual BOOL OnInitDialog();
    // True when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(int id, NMHDR& header, LRESULT& result);
    // Every other message; set handled to answer it with the result.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange& exchange);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyInitialisationData();

    UINT templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    bool ending_ = false;
    INT_PTR result_ = -1;
    bool transferringToControls_ = false;
};
