#pragma once
// The Notes tab: the free text under the captions. Lines holding a TAB are laid
// out like captions, so the box keeps its tab stop just past the widest label.

#include <functional>
#include <string>

#include "pages/SettingsPage.h"
#include "settings/WallpaperSettings.h"

// The tab stop in dialog units for a label `width` pixels wide: the first v, counting
// down from MulDiv(width, 4, averageCharWidth), whose pixels fall short of width, plus 1.
int NotesTabStop(int width, int averageCharWidth, const std::function<int(int)>& unitsToPixels);

class NotesPage : public SettingsPage {
public:
    explicit NotesPage(NotesSettings& settings);

    // The tab stop last set on the box (dialog units), 0 while it has the default stops.
    int TabStop() const { return tabStop_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void UpdateTabStop();

    NotesSettings& settings_;
    int tabStop_ = 0;
};
