#pragma once
// A control object that answers the notifications its parent receives about it
// (owner drawing, measuring, comparing, deleting items, colours): the dialog layer
// hands them back to the object bound to the control's window, knowing no control.

#include <windows.h>

class ReflectedControl {
public:
    // The object bound to a control's window, or null.
    static ReflectedControl* FromHandle(HWND control);
    // The control that a parent's notification is about, or null when the message
    // is no such notification (or is about a menu).
    static HWND NotifyingControl(HWND parent, UINT message, LPARAM lParam);

    // True when handled; `result` is what the parent answers.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

protected:
    ReflectedControl() = default;
    ~ReflectedControl() = default;
    ReflectedControl(const ReflectedControl&) = delete;
    ReflectedControl& operator=(const ReflectedControl&) = delete;

    void Bind(HWND control);
    static void Unbind(HWND control);
};
