#pragma once
// The Captions tab: which identifying values the wallpaper shows, and the values
// themselves (detected at start, editable, never stored).

#include <future>
#include <string>

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/SystemInfo.h"

class CaptionsPage : public SettingsPage {
public:
    // Starts detecting the values on a worker thread: the registry, the network
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
    std::future<CaptionValues> detecting_;
    CaptionValues values_;
    std::string labels_[CAPTION_COUNT];
};
