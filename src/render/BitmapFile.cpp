#include "render/BitmapFile.h"

#include <cstring>

#include "win/Handles.h"

BitmapInfoBlock::BitmapInfoBlock(int width, int height, int planes, int bitsPerPixel)
{
    int depth = planes * bitsPerPixel;
    for (int step : {1, 4, 8, 16, 24, 32}) {
        if (depth <= step) {
            depth = step;
            break;
        }
    }
    if (depth > 32) depth = 32;
    const DWORD colors = depth < 24 ? 1u << depth : 0;
    block_.assign(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD), 0);
    BITMAPINFOHEADER& header = Header();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(depth);
    header.biCompression = BI_RGB;
    const DWORD rowSize = ((static_cast<DWORD>(width) * depth + 31) & ~31u) / 8;
    header.biSizeImage = rowSize * static_cast<DWORD>(height);
    header.biClrUsed = colors;
}

BitmapInfoBlock BuildBitmapInfo(HBITMAP bitmap)
{
    BITMAP description = {};
    GetObjectA(bitmap, sizeof description, &description);
    return BitmapInfoBlock(description.bmWidth, description.bmHeight, description.bmPlanes, description.bmBitsPixel);
}

RGBQUAD ColorEntry(COLORREF color)
{
    return RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0};
}

namespace {

bool WriteAll(HANDLE file, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > (1u << 26) ? (1u << 26) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written != chunk) return false;
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || path[slash - 1] == ':') return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

// The target must be replaceable: not read-only and not held open by anyone.
bool TargetReplaceable(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    FileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(probe);
}

bool WriteNewFile(const std::string& path, const BitmapInfoBlock& info, const void* pixels)
{
    const BITMAPINFOHEADER& header = info.Header();
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof fileHeader + info.Size());
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;

    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.Get(), &fileHeader, sizeof fileHeader) &&
                         WriteAll(file.Get(), info.Data(), info.Size()) &&
                         WriteAll(file.Get(), pixels, header.biSizeImage) && FlushFileBuffers(file.Get());
    return CloseHandle(file.Release()) && written;
}

}  // namespace

bool WriteBitmapFile(const std::string& path, const BitmapInfoBlock& info, const void* pixels)
{
    if (!pixels || !TargetReplaceable(path)) return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(path).c_str(), "mvx", 0, temporary)) return false;
    if (WriteNewFile(temporary, info, pixels) &&
        MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();  // the caller reports why, not the clean-up's outcome
    DeleteFileA(temporary);
    SetLastError(error);
    return false;
}
