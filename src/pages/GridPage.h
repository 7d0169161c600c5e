#pragma once
// The Grid tab: the screen sizes the grid outlines (a check list over the
// screen-size list), line size, task-bar lines and the right-to-left flip.

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"
#include "win/CheckListBox.h"

class GridPage : public SettingsPage {
public:
    explicit GridPage(GridSettings& settings);

    // Builds the screen-size list from the loaded settings and the screen, once; the
    // window calls it before its first render, the page when it is made.
    void BuildList();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void RefreshButtons();
    void SetSelectionEnabled(bool enabled);
    void AddSize();
    void RemoveSelection();

    GridSettings& settings_;
    CheckListBox list_;
    bool listBuilt_ = false;
};

// Asks for a width and a height, each 100 to 32000; the height is checked first.
class AddScreenSizeDialog : public KCDialogEx {
public:
    explicit AddScreenSizeDialog(HWND owner);

    uint32_t height = 0;
    uint32_t width = 0;

protected:
    // Opens centred over its owner.
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
};
