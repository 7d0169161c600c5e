#include "app/MainDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app/AboutDialog.h"
#include "app/MainLayout.h"
#include "app/PolicyControls.h"
#include "app/SaveAsDialog.h"
#include "app/WallpaperInputs.h"
#include "app/WallpaperInstall.h"
#include "resources/resource.h"
#include "win/MessageBox.h"
#include "win/Placement.h"
#include "win/ResourceText.h"
#include "win/SystemPaths.h"
#include "win/WinApp.h"

static_assert(IDC_STATIC_LABEL == UNNAMED_CONTROL_ID, "the templates' unnamed labels");

namespace {

const ControlTableEntry MAIN_TABLE[] = {
    {IDCANCEL, ANCHOR_RIGHT, 0},
    {IDC_MAIN_SAVE_AS, ANCHOR_RIGHT, 0},
    {IDC_MAIN_HELP, ANCHOR_RIGHT, 0},
    {IDC_MAIN_TAB, ANCHOR_LEFT | ANCHOR_RIGHT, 0},
    {IDC_MAIN_PREVIEW, ANCHOR_MASK, 0},
    {IDCANCEL, ENTRY_HELP, IDS_HELP_CLOSE},
    {IDC_MAIN_SAVE_AS, ENTRY_HELP, IDS_HELP_SAVE_AS},
    {IDC_MAIN_HELP, ENTRY_HELP, IDS_HELP_PROGRAM},
    {IDC_MAIN_PREVIEW, ENTRY_HELP, IDS_HELP_PREVIEW},
};

// The preview can shrink to this height.
constexpr int MIN_PREVIEW_HEIGHT = 32;
// Why there is no wallpaper is written inside the preview's frame, this far from it.
constexpr int REASON_INSET = 8;

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

POINT CentreOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

MainDialog::MainDialog()
    : KCDialogEx(IDD_MAIN),
      store_(settings_.Slices(), CurrentProfilePaths()),
      general_(settings_.general),
      captions_(settings_.captions),
      notes_(settings_.notes),
      grid_(settings_.grid),
      icon_(LoadIconA(WinApp::ResourceModule(), MAKEINTRESOURCEA(IDI_MAIN)))
{
    // What an administrator set by policy: shown, greyed, and never saved as the user's.
    const PolicyRecord policies = LoadStartupSettings(settings_);
    store_.SetPolicies(policies);
    general_.LockControls(LockedControls(policies, PolicyPage::General));
    notes_.LockControls(LockedControls(policies, PolicyPage::Notes));
    grid_.LockControls(LockedControls(policies, PolicyPage::Grid));
    captions_.SetPolicies(policies);
    captions_.StartDetection();
}

MainDialog::~MainDialog() { renderer_.SetPreviewWindow(nullptr); }

BOOL MainDialog::OnInitDialog()
{
    AddControlTable(MAIN_TABLE);
    KCDialogEx::OnInitDialog();

    const std::string about = LoadResourceText(IDS_ABOUTBOX);
    if (HMENU menu = GetSystemMenu(Handle(), FALSE); menu && !about.empty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    // The other pages are made when they are first shown: under Wine each costs
    // 5 to 30 ms, and nothing on them is needed before (their values already are).
    general_.Create(Handle());
    grid_.BuildList();
    AddPage(general_, IDS_TAB_GENERAL);
    AddPage(captions_, IDS_TAB_CAPTIONS);
    AddPage(notes_, IDS_TAB_NOTES);
    AddPage(grid_, IDS_TAB_GRID);
    initialised_ = true;

    RECT window = {}, preview = {};
    GetWindowRect(Handle(), &window);
    GetWindowRect(Item(IDC_MAIN_PREVIEW), &preview);
    SetMinTrackHeight((window.bottom - window.top) - (preview.bottom - preview.top) + MIN_PREVIEW_HEIGHT);
    renderer_.SetPreviewWindow(Item(IDC_MAIN_PREVIEW));

    OnSectionsChanged();
    SendDlgItemMessageA(Handle(), IDC_MAIN_TAB, TCM_SETCURSEL, 0, 0);
    OnTabSelChange();
    OnSettingsChanged();
    modified_ = false;
    return TRUE;
}

void MainDialog::AddPage(Dialog& page, UINT textId)
{
    HWND tab = Item(IDC_MAIN_TAB);
    std::string text = LoadResourceText(textId);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text.data();
    item.lParam = reinterpret_cast<LPARAM>(&page);
    const LRESULT count = SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
    if (page.Handle()) PlacePage(page);
}

void MainDialog::PlacePage(Dialog& page)
{
    HWND tab = Item(IDC_MAIN_TAB);
    RECT pageClient = {};
    GetClientRect(page.Handle(), &pageClient);
    const bool rightToLeft = (GetWindowLongA(page.Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const POINT origin =
        PageOrigin(ClientRectOnScreen(tab), ClientRectOnScreen(Handle()), SizeOf(pageClient), rightToLeft);
    SetWindowPos(page.Handle(), tab, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void MainDialog::CreatePage(Dialog& page)
{
    if (page.Handle()) return;
    if (!page.Create(Handle())) {
        const DWORD error = GetLastError();
        TCITEMA item = {};
        char text[64] = "";
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendDlgItemMessageA(Handle(), IDC_MAIN_TAB, TCM_GETITEMA,
                            static_cast<WPARAM>(SendDlgItemMessageA(Handle(), IDC_MAIN_TAB, TCM_GETCURSEL, 0, 0)),
                            reinterpret_cast<LPARAM>(&item));
        std::string name = text;
        name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
        ReportFailure(IDS_MSG_PAGE_FAILED, name, error);
        return;
    }
    // Where the General page lies, however the window was sized since it was placed:
    // every page has the same template size.
    const RECT general = WindowRectIn(general_.Handle(), Handle());
    SetWindowPos(page.Handle(), Item(IDC_MAIN_TAB), general.left, general.top, general.right - general.left,
                 general.bottom - general.top, SWP_NOACTIVATE);
}

void MainDialog::OnSectionsChanged()
{
    HWND tab = Item(IDC_MAIN_TAB);
    struct Section {
        Dialog& page;
        UINT textId;
    };
    const Section sections[] = {{captions_, IDS_TAB_CAPTIONS}, {notes_, IDS_TAB_NOTES}, {grid_, IDS_TAB_GRID}};
    std::vector<int> present;
    const LRESULT count = SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT index = 1; index < count; ++index) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        for (int page = 1; page <= 3; ++page)
            if (item.lParam == reinterpret_cast<LPARAM>(&sections[page - 1].page)) present.push_back(page);
    }
    const bool on[3] = {settings_.general.captions != 0, settings_.general.notes != 0, settings_.general.grid != 0};
    for (const TabEdit& edit : SectionTabEdits(present, on)) {
        if (edit.kind == TabEdit::Delete) {
            SendMessageA(tab, TCM_DELETEITEM, static_cast<WPARAM>(edit.index), 0);
            continue;
        }
        const Section& section = sections[edit.page - 1];
        std::string text = LoadResourceText(section.textId);
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text.data();
        item.lParam = reinterpret_cast<LPARAM>(&section.page);
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(edit.index), reinterpret_cast<LPARAM>(&item));
    }
    // Only the row of tab headers changes; the page below them stays as it is (repainting
    // the whole tab control and the page costs more than the render under Wine).
    RECT headers = {};
    GetClientRect(tab, &headers);
    RECT display = headers;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    headers.bottom = display.top;
    InvalidateRect(tab, &headers, TRUE);
}

void MainDialog::OnTabSelChange()
{
    HWND tab = Item(IDC_MAIN_TAB);
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    const LRESULT selected = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    if (selected < 0 || !SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item)))
        return;
    // A page is told apart by what it is: pages not made yet all have no handle.
    const auto* shown = reinterpret_cast<const Dialog*>(item.lParam);
    for (Dialog* page : {static_cast<Dialog*>(&general_), static_cast<Dialog*>(&captions_),
                         static_cast<Dialog*>(&notes_), static_cast<Dialog*>(&grid_)})
        ShowPage(*page, page == shown);
}

void MainDialog::SelectTabBy(int step)
{
    HWND tab = Item(IDC_MAIN_TAB);
    const LRESULT count = SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return;
    const LRESULT selected = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>((selected + step + count) % count), 0);
    OnTabSelChange();
}

bool MainDialog::PreTranslateMessage(MSG& message)
{
    const bool inWindow = message.hwnd == Handle() || IsChild(Handle(), message.hwnd);
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || !inWindow)
        return KCDialogEx::PreTranslateMessage(message);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (message.wParam) {
    case VK_NEXT: SelectTabBy(1); return true;
    case VK_PRIOR: SelectTabBy(-1); return true;
    case VK_TAB: SelectTabBy(shift ? -1 : 1); return true;
    default: return KCDialogEx::PreTranslateMessage(message);
    }
}

void MainDialog::ShowPage(Dialog& page, bool show)
{
    if (show) CreatePage(page);
    if (!page.Handle()) return;
    if (!show) {
        EnableWindow(page.Handle(), FALSE);
        ShowWindow(page.Handle(), SW_HIDE);
        return;
    }
    ShowWindow(page.Handle(), SW_SHOWNA);
    EnableWindow(page.Handle(), TRUE);
    // Before the window is shown the dialog manager places the first focus itself.
    if (!IsWindowVisible(Handle()) || GetFocus() == Item(IDC_MAIN_TAB)) return;
    if (HWND first = GetNextDlgTabItem(page.Handle(), nullptr, FALSE))
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void MainDialog::FitPage(Dialog& page)
{
    if (!page.Handle()) return;
    const RECT tab = WindowRectIn(Item(IDC_MAIN_TAB), Handle());
    const RECT rect = WindowRectIn(page.Handle(), Handle());
    SetWindowPos(page.Handle(), nullptr, 0, 0, FittedPageWidth(tab, rect), rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(page.Handle(), nullptr, TRUE);
}

void MainDialog::OnSizeChanged(UINT type)
{
    RECT before = {};
    if (initialised_) GetWindowRect(Item(IDC_MAIN_PREVIEW), &before);
    OnSize(type);
    RECT client = {};
    GetClientRect(Handle(), &client);
    if (!initialised_ || IsRectEmpty(&client)) return;
    for (Dialog* page : {static_cast<Dialog*>(&general_), static_cast<Dialog*>(&captions_),
                         static_cast<Dialog*>(&notes_), static_cast<Dialog*>(&grid_)})
        FitPage(*page);
    RECT after = {};
    GetWindowRect(Item(IDC_MAIN_PREVIEW), &after);
    const SIZE was = SizeOf(before), now = SizeOf(after);
    if (was.cx != now.cx || was.cy != now.cy) renderer_.RequestPreview();
}

void MainDialog::OnNcDoubleClick(int hitTest)
{
    RECT window = {}, preview = {};
    GetWindowRect(Handle(), &window);
    GetClientRect(Item(IDC_MAIN_PREVIEW), &preview);
    const RECT workArea = WorkAreaOf(Handle());
    const ProportionsFit fit = FitProportions(hitTest, window, SizeOf(preview), renderer_.GetWallpaperSize(), workArea,
                                              {GetMinTrackWidth(), GetMinTrackHeight()});
    for (int followUp : fit.followUps)
        if (followUp) PostMessageA(Handle(), WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(followUp), 0);
    if (!EqualRect(&fit.window, &window))
        MoveWindow(Handle(), fit.window.left, fit.window.top, fit.window.right - fit.window.left,
                   fit.window.bottom - fit.window.top, TRUE);
    renderer_.RequestPreview();
}

void MainDialog::ApplySystemColors()
{
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    const EffectiveColors colors = EffectiveColorsFor(settings_.general, SystemForegroundFor(desktop), desktop);
    renderer_.SetColors(colors.foreground, colors.background);
}

void MainDialog::OnSettingsChanged()
{
    const WallpaperInputs inputs =
        GatherWallpaperInputs({settings_.general, settings_.captions, settings_.notes, settings_.grid,
                               captions_.Values(), GetSysColor(COLOR_BACKGROUND), CurrentScreen()},
                              captions_.Labels());
    const bool hadWallpaper = renderer_.GetWallpaperSize().cx != 0;
    renderer_.SetColors(inputs.colors.foreground, inputs.colors.background);
    renderer_.Render(inputs.design);
    // Into or out of the size limit: the preview shows the reason or the picture again.
    if (hadWallpaper != (renderer_.GetWallpaperSize().cx != 0)) InvalidateRect(Item(IDC_MAIN_PREVIEW), nullptr, TRUE);
    modified_ = true;
}

bool MainDialog::PaintPreview(const DRAWITEMSTRUCT& item)
{
    if (renderer_.GetWallpaperSize().cx == 0) {
        // No wallpaper: why, in its place.
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        RECT text = item.rcItem;
        InflateRect(&text, -REASON_INSET, -REASON_INSET);
        const std::string reason = TooLargeText(renderer_);
        SelectObjectScope font(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        const int mode = SetBkMode(item.hDC, TRANSPARENT);
        const COLORREF colour = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(item.hDC, reason.c_str(), static_cast<int>(reason.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
        SetTextColor(item.hDC, colour);
        SetBkMode(item.hDC, mode);
    } else {
        // A right-to-left window would mirror the preview.
        const DWORD layout = GetLayout(item.hDC);
        if (layout != GDI_ERROR) SetLayout(item.hDC, 0);
        renderer_.PaintPreview(item.hDC, item.rcItem.left, item.rcItem.top);
        if (layout != GDI_ERROR) SetLayout(item.hDC, layout);
    }
    // The keyboard focus, shown as every button shows it (not while the keyboard cues
    // are hidden, which the system says through ODS_NOFOCUSRECT).
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

bool MainDialog::PaintMinimisedIcon()
{
    if (!IsIconic(Handle())) return false;
    const PaintScope paint(Handle());
    HDC dc = paint.Dc();
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    GetClientRect(Handle(), &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    return true;
}

bool MainDialog::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED) return false;
    if (id == IDC_MAIN_SAVE_AS) {
        SaveAs();
        return true;
    }
    if (id == IDC_MAIN_HELP) {
        const POINT centre = CentreOf(Item(IDC_MAIN_HELP));
        ShowContextHelp(Item(IDC_MAIN_HELP), centre.x, centre.y);
        return true;
    }
    return false;
}

bool MainDialog::OnNotify(int id, NMHDR& header, LRESULT& result)
{
    if (id != IDC_MAIN_TAB || header.code != TCN_SELCHANGE) return false;
    OnTabSelChange();
    result = 0;
    return true;
}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case UM_SETTINGS_CHANGED:
        OnSettingsChanged();
        handled = true;
        return 0;
    case UM_SECTIONS_CHANGED:
        OnSectionsChanged();
        handled = true;
        return 0;
    case WM_SIZE:
        OnSizeChanged(static_cast<UINT>(wParam));
        return 0;
    case WM_NCLBUTTONDBLCLK:
        OnNcDoubleClick(static_cast<int>(wParam));
        return 0;  // then the default: the caption still maximises and restores
    case WM_SYSCOLORCHANGE:
        ApplySystemColors();
        renderer_.RequestPreview();
        return 0;
    case WM_DRAWITEM:
        if (wParam != IDC_MAIN_PREVIEW) return 0;
        handled = PaintPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT:
        handled = PaintMinimisedIcon();
        return 0;
    case WM_QUERYDRAGICON:
        handled = true;
        return reinterpret_cast<INT_PTR>(icon_);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return 0;
        if (AboutDialog(Handle()).DoModal() == -1)
            ShowStringMessage(Handle(), IDS_MSG_WINDOW_FAILED, {SystemErrorText(GetLastError())});
        handled = true;
        return 0;
    case WM_DESTROY:
        renderer_.SetPreviewWindow(nullptr);
        break;
    default:
        break;
    }
    return KCDialogEx::OnMessage(message, wParam, lParam, handled);
}

void MainDialog::OnOK()
{
    if (ConfirmClose()) EndDialog(IDOK);
}

void MainDialog::OnCancel()
{
    if (ConfirmClose()) EndDialog(IDCANCEL);
}

bool MainDialog::ConfirmClose()
{
    if (!modified_) return true;
    if (ShowStringMessage(Handle(), IDS_MSG_SAVE_CHANGES, MB_YESNO) == IDNO) return true;
    return SaveAs();
}

void MainDialog::ReportFailure(UINT messageId, const std::string& path, DWORD error)
{
    ShowStringMessage(Handle(), messageId, {path, SystemErrorText(error)});
}

bool MainDialog::SaveAs()
{
    if (renderer_.GetWallpaperSize().cx == 0) {
        ShowMessage(Handle(), TooLargeText(renderer_), MB_OK);
        return false;
    }
    OutputSettings& output = settings_.output;
    CSaveAsDlg dialog(WallpaperFolder(ShowsUsersOwnValues(settings_.general, settings_.captions)) + output.filename, Handle());
    dialog.SaveSettings() = output.saveSettings != 0;
    dialog.SetAsWallpaper() = output.setAsWallpaper != 0;
    dialog.SaveMaster() = false;
    dialog.Lock(LockedControls(store_.Policies(), PolicyPage::SaveAs));
    for (;;) {
        const INT_PTR result = dialog.DoModal();
        if (result == -1)
            ShowStringMessage(Handle(), IDS_MSG_DIALOG_FAILED, {std::to_string(dialog.Error())});
        if (result != IDOK) return false;
        // Shown again with what was typed: only the name needs correcting.
        dialog.SetInitialPath(dialog.Path());
        if (dialog.ExtensionDiffers())
            ShowStringMessage(Handle(), IDS_MSG_BMP_EXTENSION, MB_OK);
        else if (IsReservedDeviceName(FileNameOf(dialog.Path())))
            ShowStringMessage(Handle(), IDS_MSG_RESERVED_NAME, {FileNameOf(dialog.Path())});
        else
            break;
    }
    const std::string& path = dialog.Path();
    if (!renderer_.SaveBitmap(path)) {
        ReportFailure(IDS_MSG_WRITE_FAILED, path, GetLastError());
        return false;
    }
    modified_ = false;

    output.saveSettings = dialog.SaveSettings();
    output.setAsWallpaper = dialog.SetAsWallpaper();
    output.filename = FileNameOf(path);
    if (dialog.SetAsWallpaper() && !InstallWallpaper(path)) ReportFailure(IDS_MSG_INSTALL_FAILED, path, GetLastError());
    if (dialog.SaveSettings() && !store_.SaveLocalSettings()) {
        if (store_.StaleCopyKept())
            ShowStringMessage(Handle(), IDS_MSG_STALE_SETTINGS,
                              {store_.Paths().local, store_.LastWritePath(), SystemErrorText(store_.LastWriteError())});
        else
            ReportFailure(IDS_MSG_SETTINGS_FAILED, store_.LastWritePath(), store_.LastWriteError());
    }
    if (dialog.SaveMaster() && !store_.SaveMasterSettings())
        ReportFailure(IDS_MSG_SETTINGS_FAILED, store_.LastWritePath(), store_.LastWriteError());
    return true;
}
