// The resources compiled into Murvex32.exe (read from the exe beside this test) where
// their bytes matter beyond what the window shows: escapes, non-breaking spaces,
// format markers, the logo's shape and the manifest.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "resource.h"

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe(path);
        exe.resize(exe.find_last_of('\\') + 1);
        module = LoadLibraryExA((exe + "Murvex32.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    static std::string String(UINT id)
    {
        char text[4096] = "";
        const int length = LoadStringA(module, id, text, sizeof text);
        return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
    }
    static std::string Resource(const char* type, const char* name)
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found) return std::string();
        return std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                           SizeofResource(module, found));
    }
    static HMODULE module;
};

HMODULE ResourcesTest::module = nullptr;

}  // namespace

TEST_F(ResourcesTest, StringTableHoldsEveryTextExactly)
{
    // The texts whose bytes the resource compiler could get wrong: escapes, separators,
    // non-breaking spaces, format markers; and one of each group.
    const std::map<UINT, std::string> expected = {
        {101, "&About Murvex"},
        {1000, "Notes:"},
        {1007, "Backgrounds|*.bmp||"},
        {1008, "Version %u.%u (Build %u%s)"},
        {1014, "Browser Version:"},
        {1016, "Unknown version of %1"},
        {2008, "Choose a custom color to use for the wallpaper background, or use the system default "
               "(desktop background)."},
        {2021, "This contains the list of screen sizes you can use for grids. Click on the checkboxes to "
               "enable or disable them. You may also select one or more screen sizes and click on the "
               "[\xa0" "Enable\xa0] or [\xa0" "Disable\xa0] buttons."},
        {2033, "This is an Advanced Setting.\n\nSaves the wallpaper settings for use by other machines that "
               "access this copy of Murvex over a network.\n\nWhen Murvex is run, it checks to see if it has "
               "any settings on the local machine. If so, it uses them. If not, (which is typical of a "
               "first-time use on a machine) it checks for settings in the same directory as the executable "
               "file. In this way, you may set up custom default settings for network users that are "
               "different from the program defaults."},
        {3000, "Click on the [?] button to get help on the notes edit box."},
        {10006, "Do you want to save changes to the wallpaper?"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(String(id), text) << "string " << id;

    // Every text the program uses exists.
    for (UINT id : {1001, 1002, 1003, 1004, 1009, 1010, 1011, 1012, 1013, 1017, 2000, 2001, 2002, 2003, 2004, 2005,
                    2007, 2010, 2011, 2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2022, 2023, 2024, 2025,
                    2026, 2027, 2031, 2032, 2034, 2041, 2042, 2043, 3001, 10002, 10003, 10004, 10005})
        EXPECT_FALSE(String(id).empty()) << "string " << id;
    // There is no title string: captions come from the exe name.
    for (UINT id : {1005, 1006, 1015, 2006, 2009}) EXPECT_TRUE(String(id).empty()) << "string " << id;
}

TEST_F(ResourcesTest, LogoIsA167By69TwoColourBitmap)
{
    const std::string logo = Resource(MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(IDB_LOGO));  // RT_BITMAP
    ASSERT_GE(logo.size(), 48u);
    BITMAPINFOHEADER header;
    memcpy(&header, logo.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 167);
    EXPECT_EQ(header.biHeight, 69);
    EXPECT_EQ(header.biBitCount, 1);
}

TEST_F(ResourcesTest, ManifestAsksForDpiAwarenessCommonControlsAndCurrentSystems)
{
    const std::string manifest = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true"),
              std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // 10 and 11
    EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // 7
}
