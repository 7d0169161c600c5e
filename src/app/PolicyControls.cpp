#include "app/PolicyControls.h"

#include "resources/resource.h"

namespace {

struct PolicyControl {
    const char* section;
    const char* key;
    PolicyPage page;
    std::vector<int> controls;
};

// The Captions page goes by the caption table itself (its lines are rows of one list).
const PolicyControl POLICY_CONTROLS[] = {
    {"General", "Captions", PolicyPage::General, {IDC_GENERAL_CAPTIONS}},
    {"General", "Notes", PolicyPage::General, {IDC_GENERAL_NOTES}},
    {"General", "Grid", PolicyPage::General, {IDC_GENERAL_GRID}},
    {"General", "Logo", PolicyPage::General, {IDC_GENERAL_LOGO}},
    {"General", "Border", PolicyPage::General, {IDC_GENERAL_BORDER}},
    {"General", "Margins", PolicyPage::General, {IDC_GENERAL_MARGIN, IDC_GENERAL_MARGIN_SPIN}},
    {"General", "Position", PolicyPage::General, {IDC_GENERAL_POSITION}},
    {"General", "Font", PolicyPage::General, {IDC_GENERAL_FONT}},
    {"General", "FontDpi", PolicyPage::General, {IDC_GENERAL_FONT}},
    {"General", "ColorSelect", PolicyPage::General, {IDC_GENERAL_SYSTEM, IDC_GENERAL_REVERSED, IDC_GENERAL_CUSTOM}},
    {"General", "ForegroundColor", PolicyPage::General, {IDC_GENERAL_FOREGROUND}},
    {"General", "BackgroundColor", PolicyPage::General, {IDC_GENERAL_BACKGROUND}},
    {"Notes", "Notes", PolicyPage::Notes, {IDC_NOTES_EDIT}},
    {"Grid", "LineSize", PolicyPage::Grid, {IDC_GRID_LINE_SIZE}},
    {"Grid", "TaskBar", PolicyPage::Grid, {IDC_GRID_TASK_BAR}},
    {"Grid", "RightToLeft", PolicyPage::Grid, {IDC_GRID_FLIP}},
    {"Grid", "GridArray", PolicyPage::Grid, {IDC_GRID_SIZES, IDC_GRID_ENABLE, IDC_GRID_DISABLE, IDC_GRID_ADD, IDC_GRID_REMOVE}},
    {"Save", "SaveSettings", PolicyPage::SaveAs, {IDC_SAVEAS_SAVE_SETTINGS}},
    {"Save", "SetAsWallpaper", PolicyPage::SaveAs, {IDC_SAVEAS_SET_WALLPAPER}},
};

}  // namespace

std::vector<int> LockedControls(const PolicyRecord& policies, PolicyPage page)
{
    std::vector<int> controls;
    for (const PolicyControl& entry : POLICY_CONTROLS)
        if (entry.page == page && policies.Has(entry.section, entry.key))
            controls.insert(controls.end(), entry.controls.begin(), entry.controls.end());
    return controls;
}
