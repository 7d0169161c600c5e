#include "pages/CaptionText.h"

#include "resources/resource.h"
#include "win/ResourceText.h"

std::string& CaptionValueOf(CaptionValues& values, CaptionItem item)
{
    switch (item) {
    case CAPTION_MACHINE: return values.machineName;
    case CAPTION_OS: return values.osName;
    case CAPTION_OS_VERSION: return values.osVersion;
    case CAPTION_LOCALE: return values.locale;
    case CAPTION_BROWSER: return values.browser;
    case CAPTION_BROWSER_VERSION: return values.browserVersion;
    case CAPTION_IP_ADDRESS: return values.ipAddress;
    default: return values.user;
    }
}

const std::string& CaptionValueOf(const CaptionValues& values, CaptionItem item)
{
    return CaptionValueOf(const_cast<CaptionValues&>(values), item);
}

std::string BuildCaptionText(const CaptionSettings& captions, const CaptionValues& values,
                             const std::string (&labels)[CAPTION_COUNT])
{
    std::string text;
    for (int item = 0; item < CAPTION_COUNT; ++item) {
        const std::string& value = CaptionValueOf(values, static_cast<CaptionItem>(item));
        if (captions.enabled[item] && !value.empty()) text += labels[item] + "\t" + value + "\n";
    }
    return text;
}

void LoadCaptionLabels(std::string (&labels)[CAPTION_COUNT], HINSTANCE resources)
{
    static const UINT ids[CAPTION_COUNT] = {IDS_LABEL_MACHINE, IDS_LABEL_OS,      IDS_LABEL_OS_VERSION,
                                            IDS_LABEL_LOCALE,  IDS_LABEL_BROWSER, IDS_LABEL_BROWSER_VERSION,
                                            IDS_LABEL_IP_ADDRESS, IDS_LABEL_USER};
    for (int item = 0; item < CAPTION_COUNT; ++item) labels[item] = LoadResourceText(ids[item], resources);
}
