#pragma once
// A one-bit-per-pixel bitmap whose bits the program reads and writes directly:
// a DIB section with the palette black (0, ink) and white (1, paper), rows stored
// bottom first and padded to 32 bits, exactly as a BMP file holds them.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "win/Handles.h"

// Bytes in one row of a one-bit bitmap `width` pixels wide, padded to 32 bits.
constexpr size_t MonoRowBytes(long long width) { return static_cast<size_t>((width + 31) / 32 * 4); }

// The header and colour table of a one-bit bitmap, in memory and in its BMP file:
// entry 0 is the ink's colour, entry 1 the paper's; rows bottom first.
struct MonoBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};
MonoBitmapInfo MakeMonoBitmapInfo(int width, int height, COLORREF ink, COLORREF paper);

class MonoBitmap {
public:
    MonoBitmap() = default;

    // An empty bitmap (no handle) when the system cannot provide one.
    static MonoBitmap Create(int width, int height);

    explicit operator bool() const { return static_cast<bool>(handle_); }
    HBITMAP Handle() const { return handle_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const uint8_t* Bits() const { return bits_; }
    size_t Stride() const { return stride_; }

    // Row y counted from the top.
    const uint8_t* Row(int y) const { return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_; }
    uint8_t* Row(int y) { return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_; }

    // All paper; the padding bits at the end of each row stay 0.
    void FillPaper();
    // Ink on columns [x0, x1) of row y, clipped to the bitmap.
    void InkRun(int y, long long x0, long long x1);

private:
    BitmapHandle handle_;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    size_t stride_ = 0;
};
