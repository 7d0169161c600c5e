// The default browser as the registry names it, read from the real (Wine) registry.

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/BrowserDiscovery.h"
#include "sysinfo/SystemInfo.h"

namespace {

// Points ".htm" at a document class of our own for the length of a test, then
// puts the original association back.
class DefaultBrowser : public ::testing::Test {
protected:
    DefaultBrowser()
    {
        RegistryKey htm;
        if (htm.OpenKey(HKEY_CLASSES_ROOT, ".htm", false)) originalClass = htm.ReadString("", "");
        SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", "MurvexTest.Document");
    }
    ~DefaultBrowser() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "MurvexTest.Document");
        SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", originalClass);
    }
    static bool BrowserFor(const std::string& command, BrowserInfo& info)
    {
        SetRegistryText(HKEY_CLASSES_ROOT, "MurvexTest.Document\\shell\\open\\command", "", command);
        return GetDefaultBrowserInfo(info);
    }
    std::string originalClass;
};

}  // namespace

// The user's choice on Windows 10 and 11 over the ".htm" class, its open command taken
// from the per-user classes, and the browser's name and version from its file.
TEST_F(DefaultBrowser, TheUsersChoiceComesFirst)
{
    const std::string associations = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\";
    auto set = [](const std::string& subkey, const char* name, const std::string& value) {
        SetRegistryText(HKEY_CURRENT_USER, subkey, name, value);
    };
    auto browser = [] {
        BrowserInfo info;
        return GetDefaultBrowserInfo(info) ? info.description + " " + info.fileVersionText : std::string("none");
    };
    SetRegistryText(HKEY_CLASSES_ROOT, "MurvexTest.Document\\shell\\open\\command", "", BesideTest("Murvex32.exe"));
    const std::string fixture = "\"" + BesideTest("browser_fixture.exe") + "\" -- \"%1\"";
    set(associations + "UserChoice", "ProgId", "MurvexTest.Choice");
    set("Software\\Classes\\MurvexTest.Choice\\shell\\open\\command", "", fixture);
    EXPECT_EQ(browser(), "Fixture Browser 7.1.2.3");

    // A class that is gone falls back, in the end to the ".htm" class (the order is the
    // candidates' table test's).
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\MurvexTest.Choice");
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, associations.substr(0, associations.size() - 1).c_str());
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
}
