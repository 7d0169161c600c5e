#include "app/AboutDialog.h"

#include "resources/resource.h"
#include "sysinfo/VersionInfo.h"
#include "win/SystemPaths.h"

AboutDialog::AboutDialog(HWND owner) : KCDialogEx(IDD_ABOUTBOX, owner) {}

BOOL AboutDialog::OnInitDialog()
{
    const int bold = CreateFontVariant(nullptr, 0, 0x1);
    if (bold >= 0) AddControlEntry(IDC_ABOUT_COMMENTS, ENTRY_FONT, static_cast<uint32_t>(bold));
    KCDialogEx::OnInitDialog();

    VersionInfo version;
    version.Load(ExecutablePath());
    // The control's own text is the format of the version line.
    char format[128] = "";
    GetDlgItemTextA(Handle(), IDC_ABOUT_VERSION, format, sizeof format);
    std::string line = format;
    const size_t slot = line.find("%s");
    if (slot != std::string::npos) line.replace(slot, 2, version.QueryString("FileVersion"));
    SetDlgItemTextA(Handle(), IDC_ABOUT_VERSION, line.c_str());
    SetDlgItemTextA(Handle(), IDC_ABOUT_COPYRIGHT, version.QueryString("LegalCopyright").c_str());
    SetDlgItemTextA(Handle(), IDC_ABOUT_COMMENTS, version.QueryString("Comments").c_str());
    return TRUE;
}
