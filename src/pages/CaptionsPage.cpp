#include "pages/CaptionsPage.h"

#include "pages/CaptionText.h"
#include "resources/resource.h"

namespace {

struct CaptionRow {
    CaptionItem item;
    int checkId;
    int editId;
    UINT helpId;
};

// In the order the rows exchange their values.
const CaptionRow ROWS[CAPTION_COUNT] = {
    {CAPTION_BROWSER, IDC_CAPTIONS_BROWSER_CHECK, IDC_CAPTIONS_BROWSER_EDIT, IDS_HELP_BROWSER},
    {CAPTION_BROWSER_VERSION, IDC_CAPTIONS_BROWSERVERS_CHECK, IDC_CAPTIONS_BROWSERVERS_EDIT, IDS_HELP_BROWSER_VERSION},
    {CAPTION_LOCALE, IDC_CAPTIONS_LOCALE_CHECK, IDC_CAPTIONS_LOCALE_EDIT, IDS_HELP_LOCALE},
    {CAPTION_MACHINE, IDC_CAPTIONS_MACHINE_CHECK, IDC_CAPTIONS_MACHINE_EDIT, IDS_HELP_MACHINE},
    {CAPTION_OS, IDC_CAPTIONS_OS_CHECK, IDC_CAPTIONS_OS_EDIT, IDS_HELP_OS},
    {CAPTION_OS_VERSION, IDC_CAPTIONS_OSVERS_CHECK, IDC_CAPTIONS_OSVERS_EDIT, IDS_HELP_OS_VERSION},
    {CAPTION_IP_ADDRESS, IDC_CAPTIONS_IP_CHECK, IDC_CAPTIONS_IP_EDIT, IDS_HELP_IP_ADDRESS},
    {CAPTION_USER, IDC_CAPTIONS_USER_CHECK, IDC_CAPTIONS_USER_EDIT, IDS_HELP_USER},
};

}  // namespace

CaptionsPage::CaptionsPage(CaptionSettings& settings)
    : SettingsPage(IDD_CAPTIONS), settings_(settings)
{
    LoadCaptionLabels(labels_);
    // Where the pool takes no work, they are detected here and now.
    detecting_ = detection_.Submit();
    if (!detecting_) CollectCaptionValues(values_);
}

const CaptionValues& CaptionsPage::Values()
{
    if (detecting_) {
        detection_.Wait();
        detecting_ = false;
    }
    return values_;
}

BOOL CaptionsPage::OnInitDialog()
{
    for (const CaptionRow& row : ROWS) {
        AddControlEntry(row.editId, ANCHOR_LEFT | ANCHOR_RIGHT, 0);
        AddControlEntry(row.checkId, ENTRY_HELP, row.helpId);
    }
    KCDialogEx::OnInitDialog();
    UpdateData(true);
    EnableValueBoxes();
    return TRUE;
}

void CaptionsPage::DoDataExchange(DataExchange& exchange)
{
    Values();
    for (const CaptionRow& row : ROWS) {
        exchange.Text(row.editId, CaptionValueOf(values_, row.item));
        exchange.Check(row.checkId, settings_.enabled[row.item]);
    }
}

void CaptionsPage::EnableValueBoxes()
{
    for (const CaptionRow& row : ROWS) EnableWindow(Item(row.editId), settings_.enabled[row.item] != 0);
}

bool CaptionsPage::OnCommand(int id, int code, HWND)
{
    for (const CaptionRow& row : ROWS) {
        const bool checkClicked = id == row.checkId && code == BN_CLICKED;
        if (!checkClicked && !(id == row.editId && code == EN_CHANGE)) continue;
        UpdateData(true);
        if (checkClicked) EnableValueBoxes();
        PostSettingsChanged();
        return true;
    }
    return false;
}
