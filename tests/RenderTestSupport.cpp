#include "RenderTestSupport.h"

#include <cstring>

#include "TestFiles.h"

bool Picture::Ink(int x, int y) const
{
    const size_t rowSize = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t offset = 62 + static_cast<size_t>(height - 1 - y) * rowSize + static_cast<size_t>(x) / 8;
    return !(static_cast<unsigned char>(file[offset]) & (0x80 >> (x % 8)));
}

int Picture::InkCount(int x0, int y0, int x1, int y1) const
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += Ink(x, y);
    return count;
}

Picture ReadPicture(const std::string& path)
{
    Picture picture;
    picture.file = ReadWholeFile(path);
    if (picture.file.size() < 62 || picture.file.compare(0, 2, "BM") != 0) return picture;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    std::memcpy(&fileHeader, picture.file.data(), sizeof fileHeader);
    std::memcpy(&header, picture.file.data() + sizeof fileHeader, sizeof header);
    if (header.biBitCount != 1 || header.biWidth <= 0 || header.biHeight <= 0 || fileHeader.bfOffBits != 62) return picture;
    // Every row there, and nothing after the last.
    const size_t rowSize = ((static_cast<size_t>(header.biWidth) + 31) / 32) * 4;
    const size_t size = 62 + rowSize * static_cast<size_t>(header.biHeight);
    if (picture.file.size() != size || fileHeader.bfSize != size) return picture;
    picture.width = header.biWidth;
    picture.height = header.biHeight;
    return picture;
}

LOGFONTA TestFont()
{
    LOGFONTA font = {};
    font.lfHeight = -13;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

void PlainInputs(WallpaperDesign& design)
{
    design.font = TestFont();
    design.margin = 10;
    design.logoEnabled = false;
}

Picture Snapshot(WallpaperRenderer& renderer, const WallpaperDesign& design)
{
    renderer.Render(design);
    TempFolder folder;
    const std::string path = folder.File("snapshot.bmp");
    if (!renderer.SaveBitmap(path)) return Picture();
    return ReadPicture(path);
}
