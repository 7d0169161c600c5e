#include "pages/GeneralPage.h"

#include <commctrl.h>
#include <commdlg.h>


#include "resources/resource.h"
#include "win/Handles.h"
#include "win/ResourceText.h"
#include "win/SystemLibrary.h"

namespace {


const ControlTableEntry GENERAL_TABLE[] = {
    {IDC_GENERAL_CAPTIONS, ENTRY_HELP, IDS_HELP_CAPTIONS_SECTION},
    {IDC_GENERAL_NOTES, ENTRY_HELP, IDS_HELP_NOTES_SECTION},
    {IDC_GENERAL_GRID, ENTRY_HELP, IDS_HELP_GRID_SECTION},
    {IDC_GENERAL_LOGO, ENTRY_HELP, IDS_HELP_LOGO_SECTION},
    {IDC_GENERAL_BORDER, ENTRY_HELP, IDS_HELP_BORDER},
    {IDC_GENERAL_MARGIN, ENTRY_HELP, IDS_HELP_MARGIN},
    {IDC_GENERAL_MARGIN_SPIN, ENTRY_HELP, IDS_HELP_MARGIN},
    {IDC_GENERAL_FONT, ENTRY_HELP, IDS_HELP_FONT},
    {IDC_GENERAL_SYSTEM, ENTRY_HELP, IDS_HELP_SYSTEM_COLORS},
    {IDC_GENERAL_REVERSED, ENTRY_HELP, IDS_HELP_REVERSED_COLORS},
    {IDC_GENERAL_CUSTOM, ENTRY_HELP, IDS_HELP_CUSTOM_COLORS},
    {IDC_GENERAL_FOREGROUND, ENTRY_HELP, IDS_HELP_FOREGROUND},
    {IDC_GENERAL_BACKGROUND, ENTRY_HELP, IDS_HELP_BACKGROUND},
    {IDC_GENERAL_POSITION, ENTRY_HELP, IDS_HELP_POSITION},
};

bool ScreenIsPaletteDevice()
{
    MemoryDC dc = CreateScreenCompatibleDC();
    return dc && (GetDeviceCaps(dc.Get(), RASTERCAPS) & RC_PALETTE) != 0;
}

}  // namespace

GeneralPage::GeneralPage(GeneralSettings& settings) : SettingsPage(IDD_GENERAL), settings_(settings) {}

BOOL GeneralPage::OnInitDialog()
{
    AddControlTable(GENERAL_TABLE);
    // The choices first: the first transfer selects the one stored.
    for (int position = 0; position < POSITION_COUNT; ++position)
        SendDlgItemMessageA(Handle(), IDC_GENERAL_POSITION, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadResourceText(IDS_POSITION_CENTRE + position).c_str()));
    KCDialogEx::OnInitDialog();
    SendDlgItemMessageA(Handle(), IDC_GENERAL_MARGIN_SPIN, UDM_SETRANGE32, 0, MAX_MARGIN);
    initialised_ = true;
    return TRUE;
}

void GeneralPage::DoDataExchange(DataExchange& exchange)
{
    exchange.Check(IDC_GENERAL_CAPTIONS, settings_.captions);
    exchange.Check(IDC_GENERAL_NOTES, settings_.notes);
    exchange.Check(IDC_GENERAL_GRID, settings_.grid);
    exchange.Check(IDC_GENERAL_LOGO, settings_.logo);
    // A margin that fails its check never reaches the settings: the last one that passed stays.
    uint32_t margin = settings_.margins;
    exchange.Number(IDC_GENERAL_MARGIN, margin);
    exchange.UnsignedRange(IDC_GENERAL_MARGIN, margin, 0, MAX_MARGIN);
    if (!exchange.Failed()) settings_.margins = margin;
    exchange.Check(IDC_GENERAL_BORDER, settings_.border);
    exchange.Radio(IDC_GENERAL_SYSTEM, settings_.colorSelect);
    exchange.Selection(IDC_GENERAL_POSITION, settings_.position);
    // The grid decides where everything goes while it is on.
    EnableControl(IDC_GENERAL_POSITION, !settings_.grid);
}

bool GeneralPage::OnCommand(int id, int code, HWND)
{
    switch (id) {
    case IDC_GENERAL_CAPTIONS:
    case IDC_GENERAL_NOTES:
    case IDC_GENERAL_GRID:
    case IDC_GENERAL_LOGO:
        if (code != BN_CLICKED) return false;
        UpdateData(true);
        PostToHost(UM_SECTIONS_CHANGED);
        PostSettingsChanged();
        return true;
    case IDC_GENERAL_BORDER:
    case IDC_GENERAL_SYSTEM:
    case IDC_GENERAL_REVERSED:
    case IDC_GENERAL_CUSTOM:
    case IDC_GENERAL_MARGIN:
    case IDC_GENERAL_POSITION:
        if (code != (id == IDC_GENERAL_MARGIN ? EN_CHANGE : id == IDC_GENERAL_POSITION ? CBN_SELCHANGE : BN_CLICKED))
            return false;
        if (initialised_) {
            UpdateData(true);
            PostSettingsChanged();
        }
        return true;
    case IDC_GENERAL_FONT:
        if (code == BN_CLICKED) ChooseWallpaperFont();
        return code == BN_CLICKED;
    case IDC_GENERAL_FOREGROUND:
        if (code == BN_CLICKED) ChooseCustomColor(settings_.foregroundColor);
        return code == BN_CLICKED;
    case IDC_GENERAL_BACKGROUND:
        if (code == BN_CLICKED) ChooseCustomColor(settings_.backgroundColor);
        return code == BN_CLICKED;
    default:
        return false;
    }
}

void GeneralPage::ChooseWallpaperFont()
{
    // The dialog shows the font at this screen's resolution, and chooses it at that one.
    const int dpi = ScreenLogPixelsY();
    LOGFONTA font = FontAtDpi(settings_.font, settings_.fontDpi, dpi);
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Host();
    choose.lpLogFont = &font;
    choose.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    using ChooseFontProc = BOOL(WINAPI*)(CHOOSEFONTA*);
    static const auto chooseFont = SystemLibraryFunction<ChooseFontProc>("comdlg32.dll", "ChooseFontA");
    if (!chooseFont || !chooseFont(&choose)) return;
    settings_.font = font;
    settings_.fontDpi = dpi;
    PostSettingsChanged();
}

void GeneralPage::ChooseCustomColor(COLORREF& color)
{
    // The dialog edits a copy of the custom colours: a cancelled dialog changes nothing.
    std::array<COLORREF, CUSTOM_COLOR_COUNT> customColors = settings_.customColors;
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Host();
    choose.rgbResult = color;
    choose.lpCustColors = customColors.data();
    choose.Flags = CC_RGBINIT;
    if (!ScreenIsPaletteDevice()) choose.Flags |= CC_SOLIDCOLOR;
    using ChooseColorProc = BOOL(WINAPI*)(CHOOSECOLORA*);
    static const auto chooseColor = SystemLibraryFunction<ChooseColorProc>("comdlg32.dll", "ChooseColorA");
    if (!chooseColor || !chooseColor(&choose)) return;
    settings_.customColors = customColors;
    color = choose.rgbResult;
    settings_.colorSelect = COLOR_MODE_CUSTOM;
    UpdateData(false);
    PostSettingsChanged();
}
