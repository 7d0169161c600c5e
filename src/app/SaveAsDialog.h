#pragma once
// The Save As file dialog with the three output choices and their context help.

#include "win/SaveFileDialog.h"

class CSaveAsDlg : public SaveFileDialog {
public:
    // Proposes initialPath; offers only "*.bmp" files and asks before replacing one.
    CSaveAsDlg(const std::string& initialPath, HWND owner);

protected:
    void OnHelp(HWND control, POINT point) override;
};
