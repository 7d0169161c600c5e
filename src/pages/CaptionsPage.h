#pragma once
// The Captions tab: every line the captions can show, in wallpaper order, each with
// its check box, label and value (found at start, editable, never stored); Move Up
// and Move Down change the order, and the administrator's own lines are added,
// edited and removed through a small dialog.

#include <optional>
#include <string>

#include "dialogs/KCDialogEx.h"
#include "pages/SettingsPage.h"
#include "settings/SettingsStore.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/MachineFacts.h"
#include "win/PoolWork.h"

class CaptionsPage : public SettingsPage {
public:
    explicit CaptionsPage(CaptionSettings& settings);

    // Starts finding the values on a pool thread, once the settings (and so the custom
    // lines) are loaded: the registry, the adapters and the firmware are read while the
    // window is being made.
    void StartDetection();
    // The lines, the order and the own lines an administrator set by policy: shown
    // greyed, and not changed here.
    void SetPolicies(const PolicyRecord& policies);
    // The values as found (and edited since); the first call waits for them.
    const CaptionValues& Values();
    const CaptionLabels& Labels() const { return labels_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;

private:
    void FillList(int selectRow);
    int SelectedRow() const;
    CaptionLine LineAt(int row) const;
    void ShowSelection();
    void Move(int step);
    void EditCustomLine(bool adding);
    void RemoveCustomLine();
    bool LineLocked(CaptionLine line) const;

    CaptionSettings& settings_;
    CaptionValues values_;  // written by the detection alone until it has been waited for
    std::vector<CustomLine> detectedLines_;  // the custom lines as the detection reads them
    CaptionLabels labels_;
    PoolWork detection_{[this] { values_ = CollectCaptionValues(detectedLines_); }};
    bool started_ = false;
    bool detecting_ = false;  // until the detection has been waited for
    bool filling_ = false;    // the page itself is changing the controls
    std::vector<CaptionLine> rows_;  // the list's lines, as filled
    PolicyRecord policies_;
};

// Adds or changes one of the administrator's lines: its label, the kind of source and
// what it reads, with the value it reads now.
class CustomLineDialog : public KCDialogEx {
public:
    CustomLineDialog(HWND owner, const CustomLine& edited);

    CustomLine line;
    // What the line's source reads now: read when the dialog opens and once typing pauses,
    // again only if the source changed since.
    const std::string& Value() { return ValueOf(line.source); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    static constexpr UINT_PTR VALUE_TIMER = 1;
    static constexpr UINT VALUE_DELAY_MS = 300;  // a pause in typing
    std::string SourceInControls() const;
    const std::string& ValueOf(const std::string& source);

    int32_t kind_ = -1;  // index in the kinds box: SourceKind less one, -1 for a source of no known kind
    std::string target_;
    std::string value_;                        // the value last read
    std::optional<std::string> valueSource_;  // and the source it was read from
};
