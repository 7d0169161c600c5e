#pragma once
// The lines of the captions block. The built-in items are described once, in
// CAPTION_ITEMS, which the settings file, the Captions page, the wallpaper's text and
// /info all go by; the administrator's own lines come from the [Custom] section and
// follow them.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The built-in items, in the table's order (the order of a file that sets none).
enum CaptionItem {
    CAPTION_MACHINE, CAPTION_OS, CAPTION_OS_VERSION, CAPTION_LOCALE, CAPTION_BROWSER, CAPTION_BROWSER_VERSION,
    CAPTION_IP_ADDRESS, CAPTION_USER,
    CAPTION_DOMAIN, CAPTION_LOGON_SERVER, CAPTION_BOOT_TIME, CAPTION_CPU, CAPTION_MEMORY, CAPTION_SYSTEM_TYPE,
    CAPTION_FREE_SPACE, CAPTION_MAC_ADDRESS, CAPTION_GATEWAY, CAPTION_DNS_SERVER, CAPTION_MANUFACTURER,
    CAPTION_MODEL, CAPTION_SERIAL_NUMBER, CAPTION_ASSET_TAG, CAPTION_UPDATED,
    CAPTION_COUNT
};

class MachineFacts;

struct CaptionItemInfo {
    const char* key;          // its flag under [Captions]
    UINT labelId;             // "System Name:" and the like, from the string table
    bool perUser;             // differs between the users of one machine
    int32_t shownByDefault;   // the lines added after the first six are off until ticked
    std::string (*gather)(MachineFacts& facts);
};
extern const std::array<CaptionItemInfo, CAPTION_COUNT> CAPTION_ITEMS;
// Every item's shownByDefault.
std::array<int32_t, CAPTION_COUNT> DefaultCaptionFlags();

// The administrator's own lines: a label and where its value is read from.
constexpr size_t MAX_CUSTOM_LINES = 16;
constexpr size_t MAX_CUSTOM_LABEL = 64;
constexpr size_t MAX_CUSTOM_VALUE = 1024;
struct CustomLine {
    std::string label;
    std::string source;  // "registry:", "env:", "version:" or "text:", then what to read
    int32_t shown = 1;
    bool operator==(const CustomLine& other) const
    {
        return label == other.label && source == other.source && shown == other.shown;
    }
};

// A line of the captions block: built-in item n is n, custom line k is CAPTION_COUNT + k.
using CaptionLine = int;
constexpr bool IsCustomLine(CaptionLine line) { return line >= CAPTION_COUNT; }

struct CaptionSettings {
    std::array<int32_t, CAPTION_COUNT> enabled = DefaultCaptionFlags();
    std::vector<CustomLine> custom;
    // The lines in wallpaper order as stored; LineOrder gives it whole.
    std::vector<CaptionLine> order;
};

// Every line once, in wallpaper order: the stored order without lines that do not
// exist or come twice, then the lines it lacks in the table's order.
std::vector<CaptionLine> LineOrder(const CaptionSettings& captions);
// The stored order as text ("Machine,OS,Custom2,..."), and read back from it; unknown
// names are left out.
std::string OrderText(const std::vector<CaptionLine>& order);
std::vector<CaptionLine> ParseOrderText(const std::string& text);
bool IsDefaultOrder(const CaptionSettings& captions);
// Custom line k removed: the order forgets it and the later ones move up.
void RemoveCustomLine(CaptionSettings& captions, size_t index);
bool IsLineShown(const CaptionSettings& captions, CaptionLine line);

// The values the lines show: detected or read, editable in the window, never stored.
struct CaptionValues {
    std::array<std::string, CAPTION_COUNT> item;
    std::vector<std::string> custom;  // one per custom line
};
const std::string& LineValue(const CaptionValues& values, CaptionLine line);
std::string& LineValue(CaptionValues& values, CaptionLine line);

// The labels of the built-in items, from the string table.
using CaptionLabels = std::array<std::string, CAPTION_COUNT>;
CaptionLabels LoadCaptionLabels(HINSTANCE resources = GetModuleHandleA(nullptr));
std::string LineLabel(const CaptionSettings& captions, const CaptionLabels& labels, CaptionLine line);

// One "label TAB value LF" line per shown, non-empty value, in wallpaper order.
std::string BuildCaptionText(const CaptionSettings& captions, const CaptionValues& values, const CaptionLabels& labels);

// Whether a shown line holds a value that differs between users (the user's name, an
// environment variable, a value of the user's registry): such a wallpaper is never
// written where other users' logons read it.
bool ShowsPerUserValue(const CaptionSettings& captions);
// Every such line unticked: what a screen shown before anyone signs in may hold.
void HidePerUserLines(CaptionSettings& captions);
