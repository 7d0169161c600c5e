#pragma once
// The common base of the four tab pages: a modeless child dialog of the main
// window that tells the main window about every change it makes to its settings.

#include "dialogs/KCDialogEx.h"
#include "pages/PageMessages.h"

class SettingsPage : public KCDialogEx {
public:
    using KCDialogEx::KCDialogEx;

protected:
    // Posts the message to the application's main window; nothing without one.
    static void PostToMainWindow(UINT message);
    static void PostSettingsChanged() { PostToMainWindow(UM_SETTINGS_CHANGED); }

    // Enter inside a page presses nothing; Escape (a multi-line edit box hands it to
    // its page) closes the main window, as Escape does elsewhere in it.
    void OnOK() override {}
    void OnCancel() override { PostToMainWindow(WM_CLOSE); }
};
