#pragma once
// The program's window: the four settings pages under a tab control, a live
// preview of the wallpaper, Save As, Help and Close. It owns the one copy of the
// settings (the pages edit its slices) and the renderer.

#include <string>

#include "dialogs/KCDialogEx.h"
#include "pages/CaptionsPage.h"
#include "pages/GeneralPage.h"
#include "pages/GridPage.h"
#include "pages/NotesPage.h"
#include "render/WallpaperRenderer.h"
#include "settings/SettingsStore.h"

class MainDialog : public KCDialogEx {
public:
    // Every setting at its default, then the local settings file, else the master one.
    MainDialog();
    ~MainDialog() override;

    // Asks for a file, writes the wallpaper and does what the dialog's boxes say.
    // False when the user cancelled or the wallpaper could not be written.
    bool SaveAs();
    // Whether the window may close: asks about unsaved changes and saves on Yes.
    bool ConfirmClose();

    WallpaperRenderer& Renderer() { return renderer_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // Ctrl+PageDown and Ctrl+PageUp, Ctrl+Tab and Ctrl+Shift+Tab: the next and the
    // previous tab, from anywhere in the window (the notes box keeps Ctrl+Tab).
    bool PreTranslateMessage(MSG& message) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void AddPage(Dialog& page, UINT textId);
    void PlacePage(Dialog& page);
    void CreatePage(Dialog& page);
    void OnSectionsChanged();
    void OnSettingsChanged();
    void OnTabSelChange();
    void SelectTabBy(int step);
    void ShowPage(Dialog& page, bool show);
    void FitPage(Dialog& page);
    void OnSizeChanged(UINT type);
    void OnNcDoubleClick(int hitTest);
    void ApplySystemColors();
    bool PaintPreview(const DRAWITEMSTRUCT& item);
    bool PaintMinimisedIcon();
    void ReportFailure(UINT messageId, const std::string& path, DWORD error);

    WallpaperSettings settings_;
    SettingsStore store_;
    GeneralPage general_;
    CaptionsPage captions_;
    NotesPage notes_;
    GridPage grid_;
    WallpaperRenderer renderer_;
    HICON icon_;
    bool initialised_ = false;
    bool modified_ = false;  // changed since the last wallpaper written
};
