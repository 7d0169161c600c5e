#pragma once
// A screen size as the settings store it: width in the low 16 bits, height in the
// high 16 bits; and its label, "1024 x 768", as the grid list and the wallpaper show it.

#include <cstdint>
#include <string>

using PackedSize = uint32_t;

constexpr PackedSize PackSize(uint16_t width, uint16_t height)
{
    return static_cast<PackedSize>(height) << 16 | width;
}
constexpr uint16_t PackedWidth(PackedSize size) { return static_cast<uint16_t>(size & 0xFFFF); }
constexpr uint16_t PackedHeight(PackedSize size) { return static_cast<uint16_t>(size >> 16); }

inline std::string SizeLabel(PackedSize size)
{
    return std::to_string(PackedWidth(size)) + " x " + std::to_string(PackedHeight(size));
}
