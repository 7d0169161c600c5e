#pragma once
// The plain inputs and font the renderer tests use, and text measured in that font.

#include <windows.h>

#include <string>

#include "render/WallpaperRenderer.h"
#include "win/Handles.h"

// Arial bold 13 pixels, for the renderer and for measuring.
inline LOGFONTA TestFont()
{
    LOGFONTA font = {};
    font.lfHeight = -13;
    font.lfWeight = FW_BOLD;
    lstrcpyA(font.lfFaceName, "Arial");
    return font;
}

// Plain inputs: the test font, margin 10, no logo.
inline void PlainInputs(WallpaperDesign& design)
{
    design.font = TestFont();
    design.margin = 10;
    design.logoEnabled = false;
}

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
