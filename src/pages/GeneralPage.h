#pragma once
// The General tab: which sections the wallpaper shows, border, margin, font and
// colour scheme, over the General settings that the main window owns.

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"

class GeneralPage : public SettingsPage {
public:
    explicit GeneralPage(GeneralSettings& settings);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void ChooseWallpaperFont();
    void ChooseCustomColor(COLORREF& color);

    GeneralSettings& settings_;
    bool initialised_ = false;
};
