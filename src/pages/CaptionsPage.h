#pragma once
// The Captions tab: which identifying values the wallpaper shows, and the values
// themselves (detected at start, editable, never stored).

#include <string>

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/SystemInfo.h"

class CaptionsPage : public SettingsPage {
public:
    // Detects the six values: the window needs them before the page is first shown.
    explicit CaptionsPage(CaptionSettings& settings);

    // The captions block for the renderer: one "label TAB value LF" line per
    // included, non-empty value.
    std::string BuildCaptionText() const;
    const CaptionValues& Values() const { return values_; }
    const std::string (&Labels() const)[CAPTION_COUNT] { return labels_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void EnableValueBoxes();

    CaptionSettings& settings_;
    CaptionValues values_;
    std::string labels_[CAPTION_COUNT];
};
