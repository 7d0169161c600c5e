#pragma once
// The wallpaper's BMP file: header, colour table and pixel rows, written safely.

#include <windows.h>

#include <string>
#include <vector>

// A BITMAPINFOHEADER followed by its colour table.
class BitmapInfoBlock {
public:
    BitmapInfoBlock(int width, int height, int planes, int bitsPerPixel);

    BITMAPINFOHEADER& Header() { return *reinterpret_cast<BITMAPINFOHEADER*>(block_.data()); }
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(block_.data()); }
    RGBQUAD* Colors() { return reinterpret_cast<RGBQUAD*>(block_.data() + sizeof(BITMAPINFOHEADER)); }
    const void* Data() const { return block_.data(); }
    size_t Size() const { return block_.size(); }  // header and colour table

private:
    std::vector<unsigned char> block_;
};

// The header of a bitmap as described by GetObject: depth raised to 1, 4, 8, 16,
// 24 or 32; below 24 bits a colour table of 2^depth entries.
BitmapInfoBlock BuildBitmapInfo(HBITMAP bitmap);

RGBQUAD ColorEntry(COLORREF color);

// Writes "BM" file header, info block and pixels to a temporary file beside path,
// then puts it in place of path in one step; a target that another writer holds is
// waited for up to two seconds. On failure the temporary file is removed, an
// existing file at path stays as it was, the result is false and the thread's last
// error says why. Relative and drive-relative paths are resolved first.
bool WriteBitmapFile(const std::wstring& path, const BitmapInfoBlock& info, const void* pixels);
// The same for a path in the ANSI code page.
bool WriteBitmapFile(const std::string& path, const BitmapInfoBlock& info, const void* pixels);
