#pragma once
// The system's save-file dialog with three check boxes of our own under it, from
// child template 137 (Explorer style) or as the whole old-style template 136.

#include <windows.h>

#include <string>

class SaveFileDialog {
public:
    // Check boxes of both templates.
    static constexpr int SET_AS_WALLPAPER = 1064;
    static constexpr int SAVE_SETTINGS = 1062;
    static constexpr int SAVE_MASTER = 1063;

    // filter uses "|" between its parts ("Backgrounds|*.bmp||").
    SaveFileDialog(const std::string& defaultExtension, const std::string& initialPath, DWORD flags,
                   const std::string& filter, HWND owner);
    virtual ~SaveFileDialog() = default;

    // The choices: shown when the dialog opens, read back when a name is accepted.
    bool setAsWallpaper = false;
    bool saveSettings = false;
    bool saveMaster = false;

    // IDOK with a name chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    const std::string& Path() const { return path_; }
    // The chosen name's extension is not the default one (a name without one gets it).
    bool ExtensionDiffers() const;

    DWORD Flags() const { return flags_; }
    UINT TemplateId() const { return templateId_; }

protected:
    // Help asked on one of the dialog's controls (F1, right-click, context-menu key).
    virtual void OnHelp(HWND control, POINT point);

private:
    static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowChoices(HWND window);
    void ReadChoices(HWND window);

    std::string defaultExtension_;
    std::string initialPath_;
    std::string filter_;
    DWORD flags_;
    UINT templateId_;
    HWND owner_;
    std::string path_;
};
