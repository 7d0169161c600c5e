// The wallpaper's BMP file: header, colours, rows, and a save that never loses the old file.

#include <gtest/gtest.h>

#include <cstring>

#include "RenderTestSupport.h"
#include "TestFiles.h"
#include "render/BitmapFile.h"
#include "settings/ScreenSizeList.h"

namespace {

template <typename T>
T At(const std::string& file, size_t offset)
{
    T value{};
    std::memcpy(&value, file.data() + offset, sizeof value);
    return value;
}

class BitmapFile : public ::testing::Test {
protected:
    BitmapFile() { PlainInputs(renderer); }
    WallpaperRenderer renderer;
    TempFolder folder;
};

}  // namespace

TEST_F(BitmapFile, EmptyWallpaperGivesThe142ByteFile)
{
    renderer.Render();
    const std::string path = folder.File("empty.bmp");
    ASSERT_TRUE(renderer.SaveBitmap(path));
    const std::string file = ReadWholeFile(path);
    ASSERT_EQ(file.size(), 142u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(At<uint32_t>(file, 2), 142u);
    EXPECT_EQ(At<uint32_t>(file, 6), 0u);
    EXPECT_EQ(At<uint32_t>(file, 10), 62u);
    EXPECT_EQ(At<uint32_t>(file, 14), 40u);
    EXPECT_EQ(At<int32_t>(file, 18), 20);
    EXPECT_EQ(At<int32_t>(file, 22), 20);
    EXPECT_EQ(At<uint16_t>(file, 26), 1);
    EXPECT_EQ(At<uint16_t>(file, 28), 1);
    EXPECT_EQ(At<uint32_t>(file, 30), 0u);
    EXPECT_EQ(At<uint32_t>(file, 34), 80u);
    EXPECT_EQ(At<uint32_t>(file, 38), 0u);
    EXPECT_EQ(At<uint32_t>(file, 42), 0u);
    EXPECT_EQ(At<uint32_t>(file, 46), 2u);
    EXPECT_EQ(At<uint32_t>(file, 50), 0u);
    for (int row = 0; row < 20; ++row) {
        const std::string bytes = file.substr(62 + 4 * row, 4);
        EXPECT_EQ(bytes, std::string("\xff\xff\xf0\x00", 4)) << "row " << row;
    }
}

TEST_F(BitmapFile, ColoursRowsAndPadding)
{
    // 33 pixels wide: rows of 8 bytes. Only the top row is ink.
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
    const std::string file = ReadWholeFile(path);
    ASSERT_EQ(file.size(), 62u + 8 * 3);
    EXPECT_EQ(file.substr(54, 4), std::string("\x00\x00\xff\x00", 4));
    EXPECT_EQ(file.substr(58, 4), std::string("\x00\xff\x00\x00", 4));
    // Bottom row first: two rows of paper, then the ink row last.
    EXPECT_EQ(file.substr(62, 8), std::string("\xff\xff\xff\xff\x80\x00\x00\x00", 8));
    EXPECT_EQ(file.substr(70, 8), std::string("\xff\xff\xff\xff\x80\x00\x00\x00", 8));
    EXPECT_EQ(file.substr(78, 8), std::string(8, '\0'));
}

TEST_F(BitmapFile, ReplacesAnExistingFile)
{
    const std::string path = folder.File("wallpaper.bmp");
    WriteWholeFile(path, std::string(5000, 'x'));
    renderer.Render();
    renderer.modified = true;
    ASSERT_TRUE(renderer.SaveBitmap(path));
    EXPECT_EQ(ReadWholeFile(path).size(), 142u);
    EXPECT_FALSE(renderer.modified);
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"wallpaper.bmp"});
}

TEST_F(BitmapFile, FailedSavesLeaveTheOldFileAndModified)
{
    renderer.Render();
    renderer.modified = true;
    const std::string old = "an earlier wallpaper";

    const std::string held = folder.File("held.bmp");
    WriteWholeFile(held, old);
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(renderer.SaveBitmap(held));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(held), old);

    const std::string readOnly = folder.File("readonly.bmp");
    WriteWholeFile(readOnly, old);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(renderer.SaveBitmap(readOnly));
    EXPECT_EQ(ReadWholeFile(readOnly), old);

    EXPECT_FALSE(renderer.SaveBitmap(folder.File("no such folder\\wallpaper.bmp")));
    EXPECT_TRUE(renderer.modified);
    EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"held.bmp", "readonly.bmp"}));  // no temporary files
}

TEST(BitmapInfoBlock, DepthIsRaisedAndTheColourTableSized)
{
    BitmapInfoBlock mono(33, 5, 1, 1);
    EXPECT_EQ(mono.Header().biBitCount, 1);
    EXPECT_EQ(mono.Header().biClrUsed, 2u);
    EXPECT_EQ(mono.Header().biSizeImage, 8u * 5);
    EXPECT_EQ(mono.Size(), 48u);
    BitmapInfoBlock three(10, 2, 1, 3);
    EXPECT_EQ(three.Header().biBitCount, 4);
    EXPECT_EQ(three.Header().biClrUsed, 16u);
    BitmapInfoBlock planes(10, 2, 3, 8);
    EXPECT_EQ(planes.Header().biBitCount, 24);
    EXPECT_EQ(planes.Header().biClrUsed, 0u);
    EXPECT_EQ(planes.Size(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(planes.Header().biSizeImage, 32u * 2);
}
