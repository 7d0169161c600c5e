#pragma once
// The Captions tab: which identifying values the wallpaper shows, and the values
// themselves (detected at start, editable, never stored).

#include <string>

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/SystemInfo.h"
#include "win/PoolWork.h"

class CaptionsPage : public SettingsPage {
public:
    // Starts detecting the values on a pool thread: the registry, the network
    // adapters and the account name are looked up while the window is being made.
    explicit CaptionsPage(CaptionSettings& settings);

    // The values as detected (and edited since); the first call waits for them.
    const CaptionValues& Values();
    const std::string (&Labels() const)[CAPTION_COUNT] { return labels_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void EnableValueBoxes();

    CaptionSettings& settings_;
    CaptionValues values_;  // written by the detection alone until it has been waited for
    std::string labels_[CAPTION_COUNT];
    PoolWork detection_{[this] { CollectCaptionValues(values_); }};
    bool detecting_ = false;  // until the detection has been waited for
};
