#include "win/SaveFileDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "win/SystemLibrary.h"
#include "win/SystemPaths.h"
#include "win/WinApp.h"

SaveFileDialog::SaveFileDialog(SaveFileTemplates templates, const std::string& defaultExtension,
                               const std::string& initialPath, DWORD flags, const std::string& filter, HWND owner)
    : checked(templates.checkBoxes.size(), false),
      locked(templates.checkBoxes.size(), false),
      templates_(std::move(templates)),
      defaultExtension_(defaultExtension),
      initialPath_(initialPath),
      filter_(filter),
      owner_(owner)
{
    flags_ = flags | OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    for (char& c : filter_)
        if (c == '|') c = '\0';
}

INT_PTR SaveFileDialog::DoModal()
{
    std::vector<char> file(32768, '\0');
    initialPath_.copy(file.data(), file.size() - 1);
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner_;
    open.hInstance = WinApp::ResourceModule();
    open.lpstrFilter = filter_.c_str();
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrDefExt = defaultExtension_.c_str();
    open.Flags = flags_;
    open.lpTemplateName = MAKEINTRESOURCEA(templates_.explorerTemplate);
    open.lpfnHook = Hook;
    open.lCustData = reinterpret_cast<LPARAM>(this);
    // comdlg32 (and what it brings: the print spooler's DLLs) is loaded when first needed.
    using GetSaveFileNameProc = BOOL(WINAPI*)(OPENFILENAMEA*);
    using ExtendedErrorProc = DWORD(WINAPI*)();
    static const auto getSaveFileName = SystemLibraryFunction<GetSaveFileNameProc>("comdlg32.dll", "GetSaveFileNameA");
    static const auto extendedError = SystemLibraryFunction<ExtendedErrorProc>("comdlg32.dll", "CommDlgExtendedError");
    if (!getSaveFileName || !extendedError) {
        error_ = CDERR_INITIALIZATION;
        return -1;
    }
    if (!getSaveFileName(&open)) {
        error_ = extendedError();
        return error_ == 0 ? IDCANCEL : -1;
    }
    error_ = 0;
    path_ = WithoutTrailingDots(file.data(), defaultExtension_);
    return IDOK;
}

bool SaveFileDialog::ExtensionDiffers() const
{
    const std::string extension = ExtensionOf(FileNameOf(path_));
    return !extension.empty() && lstrcmpiA(extension.c_str(), defaultExtension_.c_str()) != 0;
}

void SaveFileDialog::OnHelp(HWND, POINT) {}

void SaveFileDialog::ShowChoices(HWND window)
{
    for (size_t i = 0; i < templates_.checkBoxes.size(); ++i) {
        CheckDlgButton(window, templates_.checkBoxes[i], checked[i] ? BST_CHECKED : BST_UNCHECKED);
        if (locked[i]) EnableWindow(GetDlgItem(window, templates_.checkBoxes[i]), FALSE);
    }
}

void SaveFileDialog::ReadChoices(HWND window)
{
    for (size_t i = 0; i < templates_.checkBoxes.size(); ++i)
        checked[i] = IsDlgButtonChecked(window, templates_.checkBoxes[i]) == BST_CHECKED;
}

UINT_PTR CALLBACK SaveFileDialog::Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<SaveFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->ShowChoices(window);
        return FALSE;  // the focus stays where the system puts it: in the file name box
    }
    auto* self = reinterpret_cast<SaveFileDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return FALSE;
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) {
        self->ReadChoices(window);
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);  // accept the name
        return TRUE;
    }
    if (message == WM_HELP) {
        const auto* help = reinterpret_cast<HELPINFO*>(lParam);
        if (help->iContextType == HELPINFO_WINDOW)
            self->OnHelp(static_cast<HWND>(help->hItemHandle), help->MousePos);
        return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
        HWND control = reinterpret_cast<HWND>(wParam);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (control != window) {
            self->OnHelp(control, point);
            return TRUE;
        }
    }
    return FALSE;
}
