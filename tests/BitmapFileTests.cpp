// The wallpaper's BMP file, read back by the system's own reader, and a save that
// never loses the old file.

#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "TestFiles.h"
#include "settings/ScreenSizeList.h"
#include "win/Handles.h"

namespace {

class BitmapFile : public ::testing::Test {
protected:
    BitmapFile() { PlainInputs(renderer); }
    WallpaperRenderer renderer;
    TempFolder folder;
};

}  // namespace

TEST_F(BitmapFile, ReadsBackAsTheWallpaperInItsColours)
{
    // 33 pixels wide (rows padded to 8 bytes), 3 high; only the top row is ink.
    renderer.margin = 1;
    renderer.minWidth = 33;
    renderer.minHeight = 3;
    renderer.gridLineSize = 0;
    renderer.gridSizes = {PackSize(33, 1)};
    renderer.foreColor = 0x0000FF;  // red
    renderer.backColor = 0x00FF00;  // green
    renderer.Render();
    const std::string path = folder.File("rows.bmp");
    ASSERT_TRUE(renderer.SaveBitmap(path));
    ASSERT_EQ(ReadWholeFile(path).size(), 62u + 8 * 3);
    BitmapHandle loaded(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(loaded);
    DIBSECTION section = {};
    ASSERT_TRUE(GetObjectA(loaded.Get(), sizeof section, &section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 1);
    MemoryDC dc = CreateScreenCompatibleDC();
    SelectObjectScope scope(dc.Get(), loaded.Get());
    for (int y = 0; y < 3; ++y)
        for (int x : {0, 31, 32}) EXPECT_EQ(GetPixel(dc.Get(), x, y), y == 0 ? 0x0000FFu : 0x00FF00u) << x << "," << y;
}

TEST_F(BitmapFile, ReplacesOrLeavesTheOldFileWhole)
{
    renderer.Render();
    const std::string path = folder.File("wallpaper.bmp");
    WriteWholeFile(path, std::string(5000, 'x'));
    renderer.modified = true;
    ASSERT_TRUE(renderer.SaveBitmap(path));
    EXPECT_EQ(ReadWholeFile(path).size(), 142u);  // 20 x 20, rows of 4 bytes
    EXPECT_FALSE(renderer.modified);

    // Held open by another program, read-only, or in no folder: refused, old bytes kept.
    renderer.modified = true;
    const std::string old = "an earlier wallpaper";
    const std::string held = folder.File("held.bmp"), readOnly = folder.File("readonly.bmp");
    WriteWholeFile(held, old);
    WriteWholeFile(readOnly, old);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const std::string& target : {held, readOnly, folder.File("no such folder\\wallpaper.bmp")})
        EXPECT_FALSE(renderer.SaveBitmap(target)) << target;
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(held), old);
    EXPECT_EQ(ReadWholeFile(readOnly), old);
    EXPECT_TRUE(renderer.modified);
    EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"held.bmp", "readonly.bmp", "wallpaper.bmp"}));
}
