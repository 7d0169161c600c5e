#pragma once
// The Save As file dialog with the three output choices and their context help.

#include "win/SaveFileDialog.h"

class CSaveAsDlg : public SaveFileDialog {
public:
    // Proposes initialPath; offers only "*.bmp" files and asks before replacing one.
    CSaveAsDlg(const std::string& initialPath, HWND owner);

    // The three choices: "Set as &Wallpaper", "S&ave settings" and "Save &master settings for network".
    std::vector<bool>::reference SetAsWallpaper() { return checked[0]; }
    std::vector<bool>::reference SaveSettings() { return checked[1]; }
    std::vector<bool>::reference SaveMaster() { return checked[2]; }

    // Greys the choices an administrator's policy set (control ids).
    void Lock(const std::vector<int>& ids);

protected:
    void OnHelp(HWND control, POINT point) override;
};
