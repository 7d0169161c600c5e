#pragma once
// The captions block of the wallpaper, built in one place for the Captions page,
// the main window and unattended runs.

#include <windows.h>

#include <string>

#include "settings/WallpaperSettings.h"
#include "sysinfo/SystemInfo.h"

// The value a caption item shows.
std::string& CaptionValueOf(CaptionValues& values, CaptionItem item);
const std::string& CaptionValueOf(const CaptionValues& values, CaptionItem item);

// One "label TAB value LF" line per included, non-empty value, in caption order.
// labels are the caption labels, in caption order.
std::string BuildCaptionText(const CaptionSettings& captions, const CaptionValues& values,
                             const std::string (&labels)[CAPTION_COUNT]);
// The caption labels from the string table.
void LoadCaptionLabels(std::string (&labels)[CAPTION_COUNT], HINSTANCE resources = GetModuleHandleA(nullptr));
