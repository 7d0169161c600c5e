#include "render/MonoBitmap.h"

#include <cstring>

MonoBitmapInfo MakeMonoBitmapInfo(int width, int height, COLORREF ink, COLORREF paper)
{
    MonoBitmapInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;  // positive: bottom row first
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>(MonoRowBytes(width) * static_cast<size_t>(height));
    info.header.biClrUsed = 2;
    info.colors[0] = {GetBValue(ink), GetGValue(ink), GetRValue(ink), 0};
    info.colors[1] = {GetBValue(paper), GetGValue(paper), GetRValue(paper), 0};
    return info;
}

MonoBitmap MonoBitmap::Create(int width, int height)
{
    MonoBitmap bitmap;
    if (width <= 0 || height <= 0) return bitmap;
    MonoBitmapInfo info = MakeMonoBitmapInfo(width, height, RGB(0, 0, 0), RGB(255, 255, 255));
    void* bits = nullptr;
    bitmap.handle_.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                          nullptr, 0));
    if (!bitmap.handle_ || !bits) return MonoBitmap();
    bitmap.bits_ = static_cast<uint8_t*>(bits);
    bitmap.width_ = width;
    bitmap.height_ = height;
    bitmap.stride_ = MonoRowBytes(width);
    return bitmap;
}
void MonoBitmap::FillPaper()
{
    const size_t fullBytes = static_cast<size_t>(width_) / 8;
    const int restBits = width_ % 8;
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = Row(y);
        std::memset(row, 0xFF, fullBytes);
        std::memset(row + fullBytes, 0, stride_ - fullBytes);
        if (restBits) row[fullBytes] = static_cast<uint8_t>(0xFF00 >> restBits);
    }
}

void MonoBitmap::InkRun(int y, long long x0, long long x1)
{
    if (y < 0 || y >= height_) return;
    if (x0 < 0) x0 = 0;
    if (x1 > width_) x1 = width_;
    if (x0 >= x1) return;
    uint8_t* row = Row(y);
    size_t first = static_cast<size_t>(x0), last = static_cast<size_t>(x1);  // [first, last)
    const uint8_t headMask = static_cast<uint8_t>(0xFF >> (first & 7));
    const uint8_t tailMask = static_cast<uint8_t>(0xFF00 >> (last & 7));  // bits before `last`
    const size_t firstByte = first >> 3, lastByte = last >> 3;
    if (firstByte == lastByte) {
        row[firstByte] &= static_cast<uint8_t>(~(headMask & tailMask));
        return;
    }
    row[firstByte] &= static_cast<uint8_t>(~headMask);
    if (lastByte > firstByte + 1) std::memset(row + firstByte + 1, 0, lastByte - firstByte - 1);
    if (last & 7) row[lastByte] &= static_cast<uint8_t>(~tailMask);
}
