#include "app/SaveAsDialog.h"

#include <commdlg.h>

#include "dialogs/ContextHelp.h"
#include "resources/resource.h"
#include "win/ResourceText.h"

CSaveAsDlg::CSaveAsDlg(const std::string& initialPath, HWND owner)
    : SaveFileDialog({IDD_SAVEAS, {IDC_SAVEAS_SET_WALLPAPER, IDC_SAVEAS_SAVE_SETTINGS, IDC_SAVEAS_SAVE_MASTER}},
                     "bmp", initialPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     LoadResourceText(IDS_SAVEAS_FILTER), owner)
{
}

void CSaveAsDlg::OnHelp(HWND control, POINT point)
{
    static const std::vector<uint32_t> topics = {IDC_SAVEAS_SAVE_SETTINGS, IDS_HELP_SAVE_SETTINGS,
                                                 IDC_SAVEAS_SAVE_MASTER,   IDS_HELP_SAVE_MASTER,
                                                 IDC_SAVEAS_SET_WALLPAPER, IDS_HELP_SET_WALLPAPER};
    ContextHelp().ShowTopic(control, topics, point);
}
