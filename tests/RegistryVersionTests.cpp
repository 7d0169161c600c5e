// Registry strings, version resources and the identifying values of the real (Wine) system.

#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "sysinfo/VersionInfo.h"

namespace {

const char* const testKey = "Software\\MurvexTests";

class Registry : public ::testing::Test {
protected:
    Registry() { RegDeleteTreeA(HKEY_CURRENT_USER, testKey); }
    ~Registry() override { RegDeleteTreeA(HKEY_CURRENT_USER, testKey); }
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, testKey, name, type, data, size);
    }
};

}  // namespace

TEST_F(Registry, StringsOfEveryKindAndSize)
{
    Set("plain", REG_SZ, "hello", 6);
    Set("expand", REG_EXPAND_SZ, "%SystemRoot%\\x", 15);
    const DWORD number = 42;
    Set("number", REG_DWORD, &number, sizeof number);
    Set("unterminated", REG_SZ, "abc", 3);
    Set("binary", REG_BINARY, "\x01\x02", 2);
    Set("multi", REG_MULTI_SZ, "a\0b\0", 5);
    const std::string big(65535, 'q');
    Set("big", REG_SZ, big.c_str(), static_cast<DWORD>(big.size() + 1));

    RegistryKey key;
    ASSERT_TRUE(key.OpenKey(HKEY_CURRENT_USER, testKey, false));
    EXPECT_EQ(key.ReadString("plain", "default"), "hello");
    EXPECT_EQ(key.ReadString("expand", "default"), "%SystemRoot%\\x");  // not expanded
    EXPECT_EQ(key.ReadString("number", "default"), "default");
    EXPECT_EQ(key.ReadString("unterminated", "default"), "abc");
    EXPECT_EQ(key.ReadString("binary", "default"), "default");
    EXPECT_EQ(key.ReadString("multi", "default"), "default");
    EXPECT_EQ(key.ReadString("missing", "default"), "default");
    EXPECT_EQ(key.ReadString("", "default"), "default");  // a default value never set
    EXPECT_EQ(key.ReadString("big", ""), big);
    EXPECT_FALSE(key.WriteString("x", "y"));  // opened read-only
    key.CloseKey();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.ReadString("plain", "closed"), "closed");
    EXPECT_FALSE(key.OpenKey(HKEY_CURRENT_USER, "Software\\MurvexTests\\No Such Key", false));
}

TEST_F(Registry, WriteStringStoresTheTerminator)
{
    RegistryKey key;
    Set("x", REG_SZ, "", 1);
    ASSERT_TRUE(key.OpenKey(HKEY_CURRENT_USER, testKey, true));
    ASSERT_TRUE(key.WriteString("TileWallpaper", "0"));
    char data[8] = {};
    DWORD size = sizeof data;
    HKEY raw = nullptr;  // read as stored: RegGetValue would add a missing terminator
    RegOpenKeyExA(HKEY_CURRENT_USER, testKey, 0, KEY_READ, &raw);
    RegQueryValueExA(raw, "TileWallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(raw);
    EXPECT_EQ(std::string(data, size), std::string("0\0", 2));
}

TEST(VersionInfo, TranslationsMissingOrEmptyStringsAndFailedLoads)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    VersionInfo info;
    EXPECT_EQ(info.QueryString("FileVersion"), "");  // nothing loaded
    ASSERT_TRUE(info.Load(path));
    EXPECT_EQ(info.Translation(), 0x04E40409u);
    EXPECT_EQ(info.QueryString("ProductName"), "Murvex");
    EXPECT_EQ(info.QueryString("PrivateBuild"), "");
    // A later load that fails keeps what the first one read.
    TempFolder folder;
    WriteWholeFile(folder.File("plain.txt"), "no resources here");
    EXPECT_FALSE(info.Load(folder.File("plain.txt")));
    EXPECT_FALSE(info.Load(folder.File("missing.exe")));
    EXPECT_EQ(info.QueryString("ProductName"), "Murvex");

    VersionInfo untranslated;
    ASSERT_TRUE(untranslated.Load(BesideTest("no_translation_fixture.exe")));
    EXPECT_EQ(untranslated.Translation(), 0u);
    EXPECT_EQ(untranslated.QueryString("FileDescription"), "");  // looked for under 00000000
    EXPECT_EQ(HIWORD(untranslated.GetFixedInfo()->dwFileVersionMS), 2u);
    VersionInfo empty;
    ASSERT_TRUE(empty.Load(BesideTest("empty_strings_fixture.exe")));
    EXPECT_EQ(empty.QueryString("FileDescription"), "");
}

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

// Open commands that name no readable program leave the values as they were; the
// caption values take the browser's name as stored.
TEST_F(DefaultBrowser, UnusableCommandsChangeNothing)
{
    const std::string exe = BesideTest("Murvex32.exe");
    BrowserInfo untouched;
    untouched.description = "before";
    EXPECT_FALSE(BrowserFor("\"" + exe + " -nohome", untouched));  // no closing quote
    EXPECT_FALSE(BrowserFor("x", untouched));
    EXPECT_FALSE(BrowserFor(exe + ".missing", untouched));
    EXPECT_FALSE(BrowserFor(std::string(70000, 'p'), untouched));
    EXPECT_EQ(untouched.description, "before");
    CaptionValues values;
    BrowserFor(exe + " -url %1", untouched);
    CollectCaptionValues(values);
    EXPECT_EQ(values.browser, "Murvex identification wallpaper generator");
    EXPECT_EQ(values.browserVersion, untouched.fileVersionText);
}

// The user's choice on Windows 10 and 11: UserChoiceLatest over UserChoice over the
// ".htm" class, each ProgId's open command taken from the per-user classes.
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

    set(associations + "UserChoiceLatest\\ProgId", "ProgId", "MurvexTest.Latest");
    set("Software\\Classes\\MurvexTest.Latest\\shell\\open\\command", "", BesideTest("Murvex32.exe") + " %1");
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);

    // Classes that are gone fall back, in the end to the ".htm" class.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\MurvexTest.Latest");
    EXPECT_EQ(browser(), "Fixture Browser 7.1.2.3");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\MurvexTest.Choice");
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, associations.substr(0, associations.size() - 1).c_str());
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
}
