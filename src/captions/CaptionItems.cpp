#include "captions/CaptionItems.h"

#include <algorithm>

#include "captions/CustomSource.h"
#include "resources/resource.h"
#include "sysinfo/MachineFacts.h"
#include "win/ResourceText.h"

// The order here is the order of a file that sets none, of /info and of the page.
const std::array<CaptionItemInfo, CAPTION_COUNT> CAPTION_ITEMS = {{
    {"Machine", IDS_LABEL_MACHINE, false, 1, &MachineFacts::MachineName},
    {"OS", IDS_LABEL_OS, false, 1, &MachineFacts::OsName},
    {"OSVers", IDS_LABEL_OS_VERSION, false, 1, &MachineFacts::OsVersion},
    {"Locale", IDS_LABEL_LOCALE, false, 1, &MachineFacts::Locale},
    {"Browser", IDS_LABEL_BROWSER, false, 1, &MachineFacts::Browser},
    {"BrowserVers", IDS_LABEL_BROWSER_VERSION, false, 1, &MachineFacts::BrowserVersion},
    {"IPAddress", IDS_LABEL_IP_ADDRESS, false, 0, &MachineFacts::IpAddresses},
    {"User", IDS_LABEL_USER, true, 0, &MachineFacts::User},
    {"Domain", IDS_LABEL_DOMAIN, false, 0, &MachineFacts::Domain},
    {"LogonServer", IDS_LABEL_LOGON_SERVER, true, 0, &MachineFacts::LogonServer},
    {"BootTime", IDS_LABEL_BOOT_TIME, false, 0, &MachineFacts::BootTime},
    {"CPU", IDS_LABEL_CPU, false, 0, &MachineFacts::Processor},
    {"Memory", IDS_LABEL_MEMORY, false, 0, &MachineFacts::Memory},
    {"SystemType", IDS_LABEL_SYSTEM_TYPE, false, 0, &MachineFacts::SystemType},
    {"FreeSpace", IDS_LABEL_FREE_SPACE, false, 0, &MachineFacts::FreeSpace},
    {"MACAddress", IDS_LABEL_MAC_ADDRESS, false, 0, &MachineFacts::MacAddresses},
    {"Gateway", IDS_LABEL_GATEWAY, false, 0, &MachineFacts::Gateways},
    {"DNSServer", IDS_LABEL_DNS_SERVER, false, 0, &MachineFacts::DnsServers},
    {"Manufacturer", IDS_LABEL_MANUFACTURER, false, 0, &MachineFacts::Manufacturer},
    {"Model", IDS_LABEL_MODEL, false, 0, &MachineFacts::Model},
    {"SerialNumber", IDS_LABEL_SERIAL_NUMBER, false, 0, &MachineFacts::SerialNumber},
    {"AssetTag", IDS_LABEL_ASSET_TAG, false, 0, &MachineFacts::AssetTag},
    {"Updated", IDS_LABEL_UPDATED, false, 0, &MachineFacts::Updated},
}};

std::array<int32_t, CAPTION_COUNT> DefaultCaptionFlags()
{
    std::array<int32_t, CAPTION_COUNT> flags = {};
    for (int item = 0; item < CAPTION_COUNT; ++item) flags[item] = CAPTION_ITEMS[item].shownByDefault;
    return flags;
}

namespace {

constexpr char CUSTOM_NAME[] = "Custom";

bool Exists(const CaptionSettings& captions, CaptionLine line)
{
    return line >= 0 && static_cast<size_t>(line) < CAPTION_COUNT + captions.custom.size();
}

}  // namespace

std::vector<CaptionLine> LineOrder(const CaptionSettings& captions)
{
    const size_t count = CAPTION_COUNT + captions.custom.size();
    std::vector<bool> placed(count, false);
    std::vector<CaptionLine> order;
    order.reserve(count);
    for (CaptionLine line : captions.order)
        if (Exists(captions, line) && !placed[static_cast<size_t>(line)]) {
            placed[static_cast<size_t>(line)] = true;
            order.push_back(line);
        }
    for (size_t line = 0; line < count; ++line)
        if (!placed[line]) order.push_back(static_cast<CaptionLine>(line));
    return order;
}

bool IsDefaultOrder(const CaptionSettings& captions)
{
    const std::vector<CaptionLine> order = LineOrder(captions);
    for (size_t index = 0; index < order.size(); ++index)
        if (order[index] != static_cast<CaptionLine>(index)) return false;
    return true;
}

std::string OrderText(const std::vector<CaptionLine>& order)
{
    std::string text;
    for (CaptionLine line : order) {
        if (!text.empty()) text += ',';
        text += IsCustomLine(line) ? CUSTOM_NAME + std::to_string(line - CAPTION_COUNT + 1) : CAPTION_ITEMS[line].key;
    }
    return text;
}

std::vector<CaptionLine> ParseOrderText(const std::string& text)
{
    std::vector<CaptionLine> order;
    size_t start = 0;
    while (start <= text.size() && order.size() < CAPTION_COUNT + MAX_CUSTOM_LINES) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        start = comma + 1;
        const size_t prefix = sizeof CUSTOM_NAME - 1;
        if (name.size() > prefix && name.size() <= prefix + 2 && lstrcmpiA(name.substr(0, prefix).c_str(), CUSTOM_NAME) == 0 &&
            name.find_first_not_of("0123456789", prefix) == std::string::npos) {
            const int number = std::stoi(name.substr(prefix));
            if (number >= 1 && static_cast<size_t>(number) <= MAX_CUSTOM_LINES) order.push_back(CAPTION_COUNT + number - 1);
            continue;
        }
        for (int item = 0; item < CAPTION_COUNT; ++item)
            if (lstrcmpiA(name.c_str(), CAPTION_ITEMS[item].key) == 0) order.push_back(item);
    }
    return order;
}

void RemoveCustomLine(CaptionSettings& captions, size_t index)
{
    if (index >= captions.custom.size()) return;
    std::vector<CaptionLine> order = LineOrder(captions);
    const CaptionLine removed = static_cast<CaptionLine>(CAPTION_COUNT + index);
    order.erase(std::remove(order.begin(), order.end(), removed), order.end());
    for (CaptionLine& line : order)
        if (line > removed) --line;
    captions.custom.erase(captions.custom.begin() + static_cast<std::ptrdiff_t>(index));
    captions.order = order;
}

bool IsLineShown(const CaptionSettings& captions, CaptionLine line)
{
    if (!Exists(captions, line)) return false;
    return IsCustomLine(line) ? captions.custom[static_cast<size_t>(line - CAPTION_COUNT)].shown != 0
                              : captions.enabled[static_cast<size_t>(line)] != 0;
}

const std::string& LineValue(const CaptionValues& values, CaptionLine line)
{
    static const std::string none;
    if (!IsCustomLine(line)) return line >= 0 ? values.item[static_cast<size_t>(line)] : none;
    const size_t index = static_cast<size_t>(line - CAPTION_COUNT);
    return index < values.custom.size() ? values.custom[index] : none;
}

std::string& LineValue(CaptionValues& values, CaptionLine line)
{
    if (!IsCustomLine(line)) return values.item[static_cast<size_t>(line)];
    const size_t index = static_cast<size_t>(line - CAPTION_COUNT);
    if (values.custom.size() <= index) values.custom.resize(index + 1);
    return values.custom[index];
}

CaptionLabels LoadCaptionLabels(HINSTANCE resources)
{
    CaptionLabels labels;
    for (int item = 0; item < CAPTION_COUNT; ++item) labels[item] = LoadResourceText(CAPTION_ITEMS[item].labelId, resources);
    return labels;
}

std::string LineLabel(const CaptionSettings& captions, const CaptionLabels& labels, CaptionLine line)
{
    if (!IsCustomLine(line)) return labels[static_cast<size_t>(line)];
    const size_t index = static_cast<size_t>(line - CAPTION_COUNT);
    return index < captions.custom.size() ? captions.custom[index].label : std::string();
}

std::string BuildCaptionText(const CaptionSettings& captions, const CaptionValues& values, const CaptionLabels& labels)
{
    std::string text;
    for (CaptionLine line : LineOrder(captions)) {
        const std::string& value = LineValue(values, line);
        if (IsLineShown(captions, line) && !value.empty()) text += LineLabel(captions, labels, line) + "\t" + value + "\n";
    }
    return text;
}

bool ShowsPerUserValue(const CaptionSettings& captions)
{
    CaptionSettings machineWide = captions;
    HidePerUserLines(machineWide);
    return machineWide.enabled != captions.enabled || !(machineWide.custom == captions.custom);
}

void HidePerUserLines(CaptionSettings& captions)
{
    for (int item = 0; item < CAPTION_COUNT; ++item)
        if (CAPTION_ITEMS[item].perUser) captions.enabled[item] = 0;
    for (CustomLine& line : captions.custom)
        if (IsPerUserSource(ParseCustomSource(line.source))) line.shown = 0;
}
