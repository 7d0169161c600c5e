#pragma once
// The wallpaper's BMP file: header, colour table and pixel rows, written safely.

#include <windows.h>

#include <string>
#include <vector>

#include "render/MonoBitmap.h"

// The full path a file is written under: relative and drive-relative names resolved,
// and a long one given the prefix that lifts the MAX_PATH limit ("\\?\", or
// "\\?\UNC\" for a share); empty when it cannot be resolved.
std::wstring FullWritePath(const std::wstring& path);

// Writes the parts, in order, to a temporary file beside path, then puts it in place of
// path in one step; a target that another writer holds is waited for up to two seconds.
// On failure the temporary file is removed, an existing file at path stays as it was,
// the result is false and the thread's last error says why. Relative and
// drive-relative paths are resolved first.
struct FilePart {
    const void* data;
    size_t size;
};
bool WriteFileSafely(const std::wstring& path, const std::vector<FilePart>& parts);
// The wallpaper's BMP file so: "BM" file header, info block and pixels.
bool WriteBitmapFile(const std::wstring& path, const MonoBitmapInfo& info, const void* pixels);
// Both for a path in the ANSI code page.
bool WriteFileSafely(const std::string& path, const std::vector<FilePart>& parts);
bool WriteBitmapFile(const std::string& path, const MonoBitmapInfo& info, const void* pixels);
