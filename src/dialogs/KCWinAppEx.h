#pragma once
// The application base: the default flags that every dialog copies when it is made.

#include <cstdint>

#include "win/WinApp.h"

enum DialogFlag : uint32_t {
    DIALOG_HELP_ON_RIGHT_CLICK = 0x1,  // right-click and the context-menu key show help
};

class KCWinAppEx : public WinApp {
public:
    uint32_t GetDialogFlags() const { return dialogFlags_; }
    void SetDialogFlags(uint32_t flags) { dialogFlags_ = flags; }

private:
    uint32_t dialogFlags_ = 0;
};
