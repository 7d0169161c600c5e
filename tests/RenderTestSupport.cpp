#include "RenderTestSupport.h"

#include <cstring>

#include "TestFiles.h"

Picture ReadPicture(const std::string& path)
{
    Picture picture;
    const std::string file = ReadWholeFile(path);
    if (file.size() < 62 || file.compare(0, 2, "BM") != 0) return picture;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&header, file.data() + sizeof fileHeader, sizeof header);
    if (header.biBitCount != 1 || header.biWidth <= 0 || header.biHeight <= 0 || fileHeader.bfOffBits != 62) return picture;
    // Every row there, and nothing after the last.
    const size_t rowSize = ((static_cast<size_t>(header.biWidth) + 31) / 32) * 4;
    const size_t size = 62 + rowSize * static_cast<size_t>(header.biHeight);
    if (file.size() != size || fileHeader.bfSize != size) return picture;
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
