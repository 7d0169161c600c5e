#include "app/SaveAsDialog.h"

#include <commdlg.h>

#include <algorithm>

#include "dialogs/ContextHelp.h"
#include "resources/resource.h"
#include "win/ResourceText.h"

namespace {

// The check boxes, in the order of `checked`.
const std::vector<int> CHOICES = {IDC_SAVEAS_SET_WALLPAPER, IDC_SAVEAS_SAVE_SETTINGS, IDC_SAVEAS_SAVE_MASTER};

}  // namespace

CSaveAsDlg::CSaveAsDlg(const std::string& initialPath, HWND owner)
    : SaveFileDialog({IDD_SAVEAS, CHOICES},
                     "bmp", initialPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     LoadResourceText(IDS_SAVEAS_FILTER), owner)
{
}

void CSaveAsDlg::OnHelp(HWND control, POINT point)
{
    static const std::vector<uint32_t> topics = {IDC_SAVEAS_SAVE_SETTINGS, IDS_HELP_SAVE_SETTINGS,
                                                 IDC_SAVEAS_SAVE_MASTER,   IDS_HELP_SAVE_MASTER,
                                                 IDC_SAVEAS_SET_WALLPAPER, IDS_HELP_SET_WALLPAPER};
    std::string text = HelpTopicText(control, topics);
    const int id = HelpTopicId(control);
    for (size_t i = 0; i < CHOICES.size(); ++i)
        if (CHOICES[i] == id && locked[i] && !text.empty()) text += "\n\n" + LoadResourceText(IDS_HELP_SET_BY_POLICY);
    ContextHelp().ShowText(control, text, point);
}

void CSaveAsDlg::Lock(const std::vector<int>& ids)
{
    for (size_t i = 0; i < CHOICES.size(); ++i)
        locked[i] = std::find(ids.begin(), ids.end(), CHOICES[i]) != ids.end();
}
