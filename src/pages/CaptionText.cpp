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
    default: return values.browserVersion;
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
    for (int item = 0; item < CAPTION_COUNT; ++item)
        labels[item] = LoadResourceText(IDS_LABEL_MACHINE + static_cast<UINT>(item), resources);
}
