#pragma once
// The system's save-file dialog with check boxes of the program's own under it, in
// a child template of the Explorer-style dialog.

#include <windows.h>

#include <string>
#include <vector>

// The program's child template and the ids of the check boxes it holds.
struct SaveFileTemplates {
    UINT explorerTemplate;
    std::vector<int> checkBoxes;
};

class SaveFileDialog {
public:
    // filter uses "|" between its parts ("Backgrounds|*.bmp||").
    SaveFileDialog(SaveFileTemplates templates, const std::string& defaultExtension, const std::string& initialPath,
                   DWORD flags, const std::string& filter, HWND owner);
    virtual ~SaveFileDialog() = default;

    // The check boxes' states, in the order of their ids: shown when the dialog
    // opens, read back when a name is accepted.
    std::vector<bool> checked;
    // Check boxes shown greyed (set by an administrator's policy), in the same order.
    std::vector<bool> locked;

    // IDOK with a name chosen, IDCANCEL when cancelled, -1 when the dialog could not
    // be shown (Error() says why).
    INT_PTR DoModal();
    DWORD Error() const { return error_; }
    const std::string& Path() const { return path_; }
    // The name the next DoModal proposes (folder and name).
    void SetInitialPath(const std::string& path) { initialPath_ = path; }
    // The chosen name's extension is not the default one (a name without one gets it).
    bool ExtensionDiffers() const;

protected:
    // Help asked on one of the dialog's controls (F1, right-click, context-menu key).
    virtual void OnHelp(HWND control, POINT point);

private:
    static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowChoices(HWND window);
    void ReadChoices(HWND window);

    SaveFileTemplates templates_;
    std::string defaultExtension_;
    std::string initialPath_;
    std::string filter_;
    DWORD flags_;
    HWND owner_;
    std::string path_;
    DWORD error_ = 0;  // CommDlgExtendedError of the last DoModal
};
