#pragma once
// The common base of the four tab pages: a modeless child dialog of its host (the
// window given to Create), which it tells about every change it makes to its
// settings and which owns the dialogs and messages it shows.

#include "dialogs/KCDialogEx.h"
#include "pages/PageMessages.h"

class SettingsPage : public KCDialogEx {
public:
    using KCDialogEx::KCDialogEx;

protected:
    HWND Host() const { return Parent(); }
    // Posts the message to the host; nothing before the page is made.
    void PostToHost(UINT message) const;
    void PostSettingsChanged() const { PostToHost(UM_SETTINGS_CHANGED); }

    // Enter inside a page presses nothing; Escape (a multi-line edit box hands it to
    // its page) closes the host, as Escape does elsewhere in it.
    void OnOK() override {}
    void OnCancel() override { PostToHost(WM_CLOSE); }
};
