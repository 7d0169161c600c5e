#pragma once
// The About box: the program's icon, version, legal notice and comments.

#include "dialogs/KCDialogEx.h"

class AboutDialog : public KCDialogEx {
public:
    AboutDialog();

protected:
    BOOL OnInitDialog() override;
};
