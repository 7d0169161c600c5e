#include "pages/CaptionText.h"

#include "resources/resource.h"
#include "win/ResourceText.h"

std::string BuildCaptionText(const CaptionSettings& captions, const CaptionValues& values,
                             const std::string (&labels)[CAPTION_COUNT])
{
    const std::string* const texts[CAPTION_COUNT] = {&values.machineName, &values.osName, &values.osVersion,
                                                     &values.locale,      &values.browser, &values.browserVersion};
    std::string text;
    for (int item = 0; item < CAPTION_COUNT; ++item)
        if (captions.enabled[item] && !texts[item]->empty()) text += labels[item] + "\t" + *texts[item] + "\n";
    return text;
}

void LoadCaptionLabels(std::string (&labels)[CAPTION_COUNT], HINSTANCE resources)
{
    for (int item = 0; item < CAPTION_COUNT; ++item)
        labels[item] = LoadResourceText(IDS_LABEL_MACHINE + static_cast<UINT>(item), resources);
}
