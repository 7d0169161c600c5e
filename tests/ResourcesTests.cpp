// The strings compiled into Murvex32.exe (read from the exe beside this test) whose
// bytes the resource compiler could get wrong: separators, non-breaking spaces, format
// markers, blank lines.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "TestFiles.h"


namespace {

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExA(BesideTest("Murvex32.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    static std::string String(UINT id)
    {
        char text[4096] = "";
        const int length = LoadStringA(module, id, text, sizeof text);
        return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
    }
    static HMODULE module;
};

HMODULE ResourcesTest::module = nullptr;

}  // namespace

TEST_F(ResourcesTest, StringsKeepTheirExactBytes)
{
    const std::map<UINT, std::string> expected = {
        {1007, "Backgrounds|*.bmp||"},
        {1008, "Version %u.%u (Build %u%s)"},
        {2021, "This contains the list of screen sizes you can use for grids. Click on the checkboxes to "
               "enable or disable them. You may also select one or more screen sizes and click on the "
               "[\xa0" "Enable\xa0] or [\xa0" "Disable\xa0] buttons."},
        {2033, "This is an Advanced Setting.\n\nSaves the wallpaper settings for use by other machines that "
               "access this copy of Murvex over a network.\n\nWhen Murvex is run, it checks to see if it has "
               "any settings on the local machine. If so, it uses them. If not, (which is typical of a "
               "first-time use on a machine) it checks for settings in the same directory as the executable "
               "file. In this way, you may set up custom default settings for network users that are "
               "different from the program defaults."},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(String(id), text) << "string " << id;
}
