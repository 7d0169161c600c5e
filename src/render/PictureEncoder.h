#pragma once
// The wallpaper's one-bit picture as a PNG or a JPEG, through the Windows Imaging
// Component (the system's own codecs, created through COM from the system folder).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/MonoBitmap.h"

enum class PictureFormat { Png, Jpeg };

// The picture in its two colours: a PNG in one bit per pixel where the encoder takes
// that (else in as few as it does), a JPEG (24 bits) at quality 0 to 1. False with a
// reason when the system's codecs cannot do it.
bool EncodePicture(const MonoBitmap& picture, COLORREF ink, COLORREF paper, PictureFormat format, float quality,
                   std::vector<uint8_t>& encoded, std::string& reason);
