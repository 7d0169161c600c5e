// Registry strings, version resources and the identifying values of the real (Wine) system.

#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "sysinfo/VersionInfo.h"

namespace {

const char* const testKey = "Software\\MurvexTests";

std::string BinFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder;
}

class Registry : public ::testing::Test {
protected:
    Registry()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, testKey);
        RegCreateKeyExA(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr);
    }
    ~Registry() override
    {
        RegCloseKey(raw);
        RegDeleteTreeA(HKEY_CURRENT_USER, testKey);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExA(raw, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    HKEY raw = nullptr;
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
    ASSERT_TRUE(key.OpenKey(HKEY_CURRENT_USER, testKey, true));
    ASSERT_TRUE(key.WriteString("TileWallpaper", "0"));
    char data[8] = {};
    DWORD type = 0, size = sizeof data;
    RegQueryValueExA(raw, "TileWallpaper", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
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
    ASSERT_TRUE(untranslated.Load(BinFolder() + "no_translation_fixture.exe"));
    EXPECT_EQ(untranslated.Translation(), 0u);
    EXPECT_EQ(untranslated.QueryString("FileDescription"), "");  // looked for under 00000000
    EXPECT_EQ(HIWORD(untranslated.GetFixedInfo()->dwFileVersionMS), 2u);
    VersionInfo empty;
    ASSERT_TRUE(empty.Load(BinFolder() + "empty_strings_fixture.exe"));
    EXPECT_EQ(empty.QueryString("FileDescription"), "");
}

TEST(SystemValues, TheWineSystemAsItReportsItself)
{
    CaptionValues values;
    values.browser = "kept";
    CollectCaptionValues(values);
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(values.machineName, std::string(name).substr(0, 15));
    // Wine's fresh prefix says Windows 7 SP1, and Ultimate N to GetProductInfo.
    EXPECT_EQ(values.osName, "Microsoft Windows 7 Ultimate N");
    EXPECT_EQ(values.osVersion, "Version 6.1 (Build 7601: Service Pack 1)");
    EXPECT_EQ(values.locale, "English (United States)");
    DWORD major = 0, minor = 0, build = 0;
    ASSERT_TRUE(GetOsVersionNumbers(major, &minor, &build));
    EXPECT_EQ(major, 6u);
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
        SetDefault(".htm", "MurvexTest.Document");
    }
    ~DefaultBrowser() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "MurvexTest.Document");
        SetDefault(".htm", originalClass);
    }
    static void SetDefault(const std::string& subkey, const std::string& value)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    static bool BrowserFor(const std::string& command, BrowserInfo& info)
    {
        SetDefault("MurvexTest.Document\\shell\\open\\command", command);
        return GetDefaultBrowserInfo(info);
    }
    std::string originalClass;
};

}  // namespace

TEST_F(DefaultBrowser, EveryFormOfOpenCommand)
{
    const std::string exe = BinFolder() + "Murvex32.exe";
    TempFolder folder;
    const std::string spaced = folder.Path() + "\\with space";
    CreateDirectoryA(spaced.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(exe.c_str(), (spaced + "\\Murvex Copy.exe").c_str(), FALSE));

    for (const std::string& command : {"\"" + spaced + "\\Murvex Copy.exe\" -nohome \"%1\"", exe + " -url %1", exe}) {
        BrowserInfo info;
        ASSERT_TRUE(BrowserFor(command, info)) << command;
        EXPECT_EQ(info.description, "Murvex identification wallpaper generator");
        EXPECT_FALSE(info.fileVersionText.empty());
        EXPECT_EQ(info.productVersionText, info.fileVersionText);
        EXPECT_EQ(info.fileVersion[0], 1u);
    }

    BrowserInfo untouched;
    untouched.description = "before";
    EXPECT_FALSE(BrowserFor("\"" + exe + " -nohome", untouched));  // no closing quote
    EXPECT_FALSE(BrowserFor("x", untouched));
    EXPECT_FALSE(BrowserFor(folder.Path() + "\\missing.exe", untouched));
    EXPECT_FALSE(BrowserFor(std::string(70000, 'p'), untouched));
    EXPECT_EQ(untouched.description, "before");

    // The caption values take the browser's name and version as stored.
    CaptionValues values;
    BrowserFor(exe, untouched);
    CollectCaptionValues(values);
    EXPECT_EQ(values.browser, "Murvex identification wallpaper generator");
}

// The user's choice on Windows 10 and 11: UserChoiceLatest over UserChoice over the
// ".htm" class, each ProgId's open command taken from the per-user classes.
TEST_F(DefaultBrowser, TheUsersChoiceComesFirst)
{
    const std::string associations = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\";
    auto set = [](const std::string& subkey, const char* name, const std::string& value) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    };
    auto browser = [] {
        BrowserInfo info;
        return GetDefaultBrowserInfo(info) ? info.description + " " + info.fileVersionText : std::string("none");
    };
    SetDefault("MurvexTest.Document\\shell\\open\\command", BinFolder() + "Murvex32.exe");
    const std::string fixture = "\"" + BinFolder() + "browser_fixture.exe\" -- \"%1\"";
    set(associations + "UserChoice", "ProgId", "MurvexTest.Choice");
    set("Software\\Classes\\MurvexTest.Choice\\shell\\open\\command", "", fixture);
    EXPECT_EQ(browser(), "Fixture Browser 7.1.2.3");

    set(associations + "UserChoiceLatest\\ProgId", "ProgId", "MurvexTest.Latest");
    set("Software\\Classes\\MurvexTest.Latest\\shell\\open\\command", "", BinFolder() + "Murvex32.exe %1");
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);

    // Classes that are gone fall back, in the end to the ".htm" class.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\MurvexTest.Latest");
    EXPECT_EQ(browser(), "Fixture Browser 7.1.2.3");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\MurvexTest.Choice");
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, associations.substr(0, associations.size() - 1).c_str());
    EXPECT_EQ(browser().rfind("Murvex identification wallpaper generator", 0), 0u);
}
