#pragma once
// Reading back what the renderer made, and the plain inputs and font the layout tests use.

#include <windows.h>

#include <string>

#include "render/WallpaperRenderer.h"
#include "win/Handles.h"

struct Picture {
    int width = 0;
    int height = 0;
};

// The size of a complete one-bit BMP file (headers, palette, every row); 0 x 0 when it is not one.
Picture ReadPicture(const std::string& path);

// Plain inputs: Arial bold 13 pixels, margin 10, no logo.
void PlainInputs(WallpaperDesign& design);
// The same font for measuring in tests.
LOGFONTA TestFont();

// Renders and reads the result back through a file in the temp folder.
Picture Snapshot(WallpaperRenderer& renderer, const WallpaperDesign& design);

// Text measured with the renderer's test font, for expectations.
class Measure {
public:
    Measure() : dc_(CreateScreenCompatibleDC())
    {
        const LOGFONTA font = TestFont();
        font_.Reset(CreateFontIndirectA(&font));
        previous_ = SelectObject(dc_.Get(), font_.Get());
    }
    ~Measure() { SelectObject(dc_.Get(), previous_); }
    HDC Dc() const { return dc_.Get(); }

    SIZE Extent(const std::string& text)
    {
        SIZE size = {};
        GetTextExtentPoint32A(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    SIZE Tabbed(const std::string& line, int tab)
    {
        const DWORD extent = GetTabbedTextExtentA(dc_.Get(), line.c_str(), static_cast<int>(line.size()), 1, &tab);
        return SIZE{LOWORD(extent), HIWORD(extent)};
    }
    RECT Calc(const std::string& text, RECT rect, UINT flags)
    {
        DrawTextA(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
        return rect;
    }

private:
    MemoryDC dc_;
    FontHandle font_;
    HGDIOBJ previous_ = nullptr;
};
