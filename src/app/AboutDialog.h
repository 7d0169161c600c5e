#pragma once
// The About box: the program's icon, version, legal notice and comments.

#include "dialogs/KCDialogEx.h"

class AboutDialog : public KCDialogEx {
public:
    explicit AboutDialog(HWND owner);

protected:
    BOOL OnInitDialog() override;
};
