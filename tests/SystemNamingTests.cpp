// The naming and formatting rules of the identifying values, row by row.

#include <gtest/gtest.h>

#include <map>

#include "sysinfo/SystemInfo.h"

namespace {

constexpr BYTE WORKSTATION = 1, DOMAIN_CONTROLLER = 2, SERVER = 3;
constexpr WORD SMALLBUSINESS = 0x0001, ENTERPRISE = 0x0002, DATACENTER = 0x0080, PERSONAL = 0x0200, BLADE = 0x0400;

OsVersionRecord Nt(DWORD major, DWORD minor, BYTE productType = WORKSTATION, WORD suite = 0, DWORD build = 2600,
                   const std::string& csd = "")
{
    OsVersionRecord record;
    record.valid = true;
    record.platformId = VER_PLATFORM_WIN32_NT;
    record.major = major;
    record.minor = minor;
    record.build = build;
    record.csdVersion = csd;
    record.extendedValid = true;
    record.productType = productType;
    record.suiteMask = suite;
    return record;
}

OsVersionRecord NtWithoutExtended(DWORD major, DWORD minor)
{
    OsVersionRecord record = Nt(major, minor);
    record.extendedValid = false;
    return record;
}

OsVersionRecord Win9x(DWORD minor, const std::string& csd, DWORD build = 0x040A08AE)
{
    OsVersionRecord record;
    record.valid = true;
    record.platformId = VER_PLATFORM_WIN32_WINDOWS;
    record.major = 4;
    record.minor = minor;
    record.build = build;
    record.csdVersion = csd;
    return record;
}

// One value per key; keys not listed cannot be opened.
RegistryReader FakeRegistry(std::map<std::string, std::string> values)
{
    return [values](HKEY, const std::string& subkey, const std::string&) -> std::optional<std::string> {
        const auto key = values.find(subkey);
        if (key == values.end()) return std::nullopt;
        return key->second;
    };
}

const RegistryReader noRegistry = FakeRegistry({});
const char* const productOptions = "System\\CurrentControlSet\\Control\\ProductOptions";
const char* const currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string Name(const OsVersionRecord& record, unsigned options = 0, const RegistryReader& registry = noRegistry)
{
    return OsNameFrom(record, options, registry);
}

}  // namespace

TEST(OsName, OlderSystemsEditionsSuitesAndProductTypes)
{
    auto withType = [](const std::string& type) { return FakeRegistry({{productOptions, type}}); };
    OsVersionRecord win32s;
    win32s.valid = true;
    win32s.platformId = VER_PLATFORM_WIN32s;
    struct Case {
        OsVersionRecord record;
        unsigned options;
        RegistryReader registry;
        const char* name;
    };
    const Case cases[] = {
        {Nt(5, 1), 0, noRegistry, "Microsoft Windows XP Professional"},
        {Nt(5, 1, WORKSTATION, PERSONAL), OS_NAME_NO_PREFIX, noRegistry, "Windows XP Home Edition"},
        {Nt(3, 51), 0, noRegistry, "Microsoft Windows NT Workstation 3.51"},
        {Nt(5, 0, DOMAIN_CONTROLLER, DATACENTER), 0, noRegistry, "Microsoft Windows 2000 Datacenter Server"},
        {Nt(5, 2, SERVER, BLADE | DATACENTER | ENTERPRISE | SMALLBUSINESS), 0, noRegistry,
         "Microsoft Windows Server 2003, Web Edition, Datacenter Edition, Enterprise Edition Small Business Server"},
        {Nt(4, 0, SERVER, ENTERPRISE), 0, noRegistry, "Microsoft Windows NT Enterprise Edition 4.0"},
        {Nt(5, 1, SERVER, DATACENTER), 0, noRegistry, "Microsoft Windows XP"},  // minor 1 adds nothing
        {NtWithoutExtended(4, 0), 0, withType("winnt"), "Microsoft Windows NT Workstation 4.0"},
        {NtWithoutExtended(4, 0), 0, withType("SERVERNT"), "Microsoft Windows NT Advanced Server 4.0"},
        {NtWithoutExtended(4, 0), 0, withType("Terminal"), "Microsoft Windows NT 4.0"},
        {NtWithoutExtended(4, 0), 0, noRegistry, "Microsoft Windows NT 4.0"},  // key cannot be opened
        {Win9x(0, " C"), OS_NAME_LONG_EDITIONS, noRegistry, "Microsoft Windows 95 OEM Service Release 2.5"},
        {Win9x(0, "B"), 0, noRegistry, "Microsoft Windows 95B"},  // too short to have a letter
        {Win9x(10, " A"), 0, noRegistry, "Microsoft Windows 98 SE"},
        {Win9x(90, ""), OS_NAME_LONG_EDITIONS, noRegistry, "Microsoft Windows Millennium Edition"},
        {win32s, 0, noRegistry, "Microsoft Win32s on Windows 3.1"},
        {Nt(6, 4), 0, noRegistry, ""},  // outside the tables
        {Nt(11, 0), 0, noRegistry, ""},
        {Win9x(50, ""), 0, noRegistry, ""},
        {OsVersionRecord{}, 0, noRegistry, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Name(c.record, c.options, c.registry), c.name);
    EXPECT_EQ(OsFamilyNameFrom(Nt(5, 1), OS_NAME_NO_PREFIX | OS_NAME_FAMILY_ONLY), "Windows NT");
    // The 95/98/ME line keeps only the low word of the build number.
    EXPECT_EQ(OsFamilyNameFrom(Win9x(10, ""), 0), "Microsoft Windows 4.10.2222.0");
}

TEST(ServicePack, RulesPerPlatform)
{
    const RegistryReader subVersionA = FakeRegistry({{currentVersion, "a"}});
    EXPECT_EQ(ServicePackFrom(Nt(5, 1, WORKSTATION, 0, 2600, "Service Pack 2"), noRegistry), "Service Pack 2");
    EXPECT_EQ(ServicePackFrom(Win9x(0, ""), subVersionA), "Service Pack 1");
    EXPECT_EQ(ServicePackFrom(Win9x(0, ""), FakeRegistry({{currentVersion, "A"}})), "");
    EXPECT_EQ(ServicePackFrom(Win9x(10, " A"), subVersionA), "");
}

TEST(Captions, OsNameAndVersionTexts)
{
    const std::string unknownVersion = "Unknown version of %1", unknownSystem = "Unknown Operating System";
    EXPECT_EQ(OsNameCaption(Nt(5, 1), noRegistry, unknownVersion, unknownSystem), "Microsoft Windows XP Professional");
    EXPECT_EQ(OsNameCaption(Nt(6, 4), noRegistry, unknownVersion, unknownSystem),
              "Unknown version of Microsoft Windows NT");
    EXPECT_EQ(OsNameCaption(OsVersionRecord{}, noRegistry, unknownVersion, unknownSystem), unknownSystem);

    const std::string format = "Version %u.%u (Build %u%s)";
    EXPECT_EQ(OsVersionCaption(Nt(5, 1, WORKSTATION, 0, 2600, "Service Pack 2"), noRegistry, format),
              "Version 5.1 (Build 2600: Service Pack 2)");
    EXPECT_EQ(OsVersionCaption(Win9x(10, " A"), noRegistry, format), "Version 4.10 (Build 2222)");
    EXPECT_EQ(OsVersionCaption(Nt(5, 1), noRegistry, "%s%s%s"), "");  // never a foreign format

    EXPECT_EQ(LocaleCaption("English", "United States"), "English (United States)");
}

TEST(BrowserCommand, ExecutablePath)
{
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("C:\\Browser\\browser.exe -url %1"), "C:\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\browser.exe -nohome"), "");
    EXPECT_EQ(ExecutableFromCommand("\"\"x\" y"), "\"x");  // the closing quote is looked for from index 2
}

TEST(CaptionValues, ControlCharactersBecomeBlanks)
{
    EXPECT_EQ(WithoutControlCharacters("Browser 1.0\r\nSystem Name:\tX\x7f\x1b"), "Browser 1.0  System Name: X  ");
    EXPECT_EQ(WithoutControlCharacters("Caf\xe9 \xfc"), "Caf\xe9 \xfc");  // letters of the code page stay
}

namespace {

OsVersionRecord Modern(DWORD major, DWORD minor, DWORD build, BYTE productType, DWORD product)
{
    OsVersionRecord record = Nt(major, minor, productType, 0, build);
    record.product = product;
    return record;
}

}  // namespace

TEST(OsName, VistaToElevenAndServer2008To2025)
{
    struct Case {
        OsVersionRecord record;
        const char* name;
    };
    const Case cases[] = {
        {Modern(6, 0, 6002, WORKSTATION, 0x03), "Microsoft Windows Vista Home Premium"},
        {Modern(6, 0, 6002, SERVER, 0x08), "Microsoft Windows Server 2008 Datacenter"},
        {Modern(6, 1, 7601, WORKSTATION, 0x1C), "Microsoft Windows 7 Ultimate N"},
        {Modern(6, 1, 7601, WORKSTATION, 0x30), "Microsoft Windows 7 Professional"},
        {Modern(6, 2, 9200, WORKSTATION, 0x30), "Microsoft Windows 8 Pro"},
        {Modern(6, 3, 9600, WORKSTATION, 0x65), "Microsoft Windows 8.1 Home"},
        {Modern(6, 3, 9600, DOMAIN_CONTROLLER, 0x08), "Microsoft Windows Server 2012 R2 Datacenter"},
        {Modern(10, 0, 21999, WORKSTATION, 0x30), "Microsoft Windows 10 Pro"},
        {Modern(10, 0, 22000, WORKSTATION, 0x30), "Microsoft Windows 11 Pro"},
        {Modern(10, 0, 26100, SERVER, 0x07), "Microsoft Windows Server 2025 Standard"},
        {Modern(10, 0, 17763, WORKSTATION, 0x7D), "Microsoft Windows 10 Enterprise LTSC"},
        {Modern(10, 0, 14393, DOMAIN_CONTROLLER, 0x07), "Microsoft Windows Server 2016 Standard"},
        {Modern(10, 0, 25398, SERVER, 0x08), "Microsoft Windows Server Datacenter"},  // no year is guessed
        {Modern(10, 0, 22631, WORKSTATION, 0x12345), "Microsoft Windows 11"},  // unknown product
        {Modern(10, 0, 22631, WORKSTATION, 0x1C), "Microsoft Windows 11"},  // a Windows 7 edition
        {Modern(6, 1, 7601, WORKSTATION, 0xA4), "Microsoft Windows 7"},    // a Windows 10 edition
    };
    for (const Case& c : cases) EXPECT_EQ(Name(c.record), c.name) << c.record.build;
    // Without the extended query the product type comes from the registry.
    OsVersionRecord noExtended = Modern(10, 0, 20348, WORKSTATION, 0x07);
    noExtended.extendedValid = false;
    EXPECT_EQ(Name(noExtended, 0, FakeRegistry({{productOptions, "ServerNT"}})), "Microsoft Windows Server 2022 Standard");
    EXPECT_EQ(Name(noExtended, 0, FakeRegistry({{productOptions, "WinNT"}})), "Microsoft Windows 10 Standard");
}

TEST(Captions, VersionTenAndLaterShowUpdateRevisionAndDisplayVersion)
{
    const std::string format = "Version %u.%u (Build %u%s)";
    OsVersionRecord record = Modern(10, 0, 22631, WORKSTATION, 0x30);
    record.csdVersion = "ignored";
    EXPECT_EQ(OsVersionCaption(record, noRegistry, format), "Version 10.0 (Build 22631)");
    record.hasUpdateRevision = true;
    record.updateRevision = 4602;
    EXPECT_EQ(OsVersionCaption(record, noRegistry, format), "Version 10.0 (Build 22631.4602)");
    record.displayVersion = "23H2";
    EXPECT_EQ(OsVersionCaption(record, noRegistry, format), "Version 10.0 (Build 22631.4602: 23H2)");
    // Older systems print what they always printed.
    OsVersionRecord seven = Modern(6, 1, 7601, WORKSTATION, 1);
    seven.csdVersion = "Service Pack 1";
    seven.displayVersion = "never";
    EXPECT_EQ(OsVersionCaption(seven, noRegistry, format), "Version 6.1 (Build 7601: Service Pack 1)");
}

TEST(BrowserPlaces, InTheirOrder)
{
    const std::string https = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https";
    const std::string http = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http";
    // Keyed by subkey and value name, so that one key can hold several values.
    const auto registry = [](std::map<std::string, std::string> values) -> RegistryReader {
        return [values](HKEY root, const std::string& subkey, const std::string& value) -> std::optional<std::string> {
            const std::string where = (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKCR\\") + subkey + "|" + value;
            const auto found = values.find(where);
            if (found == values.end()) return std::nullopt;
            return found->second;
        };
    };
    auto executables = [](const std::vector<BrowserCandidate>& candidates) {
        std::string list;
        for (const BrowserCandidate& c : candidates) list += (c.executable.empty() ? "app:" + c.appName : c.executable) + ";";
        return list;
    };
    const RegistryReader full = registry({
        {"HKCU\\" + https + "\\UserChoiceLatest\\ProgId|ProgId", "LatestHTML"},
        {"HKCU\\" + https + "\\UserChoice|ProgId", "ChoiceHTML"},
        {"HKCU\\" + http + "\\UserChoice|ProgId", "PackagedApp"},
        {"HKCU\\Software\\Classes\\LatestHTML\\shell\\open\\command|", "\"C:\\Latest\\latest.exe\" -- %1"},
        {"HKCR\\ChoiceHTML\\shell\\open\\command|", "C:\\Choice\\choice.exe %1"},
        {"HKCR\\PackagedApp\\Application|ApplicationName", "@{Browser_1.0?ms-resource://Browser/Name}"},
        {"HKCR\\.htm|", "htmlfile"},
        {"HKCR\\htmlfile\\shell\\open\\command|", "C:\\Old\\old.exe %1"},
    });
    EXPECT_EQ(executables(DefaultBrowserCandidates(full, "C:\\Assoc\\assoc.exe")),
              "C:\\Latest\\latest.exe;C:\\Choice\\choice.exe;app:@{Browser_1.0?ms-resource://Browser/Name};"
              "C:\\Assoc\\assoc.exe;C:\\Old\\old.exe;");
    // A ProgId whose class is missing falls to the next place; nothing chosen leaves the old recipe.
    const RegistryReader missingClass = registry({{"HKCU\\" + https + "\\UserChoice|ProgId", "GoneHTML"},
                                                  {"HKCR\\.htm|", "htmlfile"},
                                                  {"HKCR\\htmlfile\\shell\\open\\command|", "old.exe"}});
    EXPECT_EQ(executables(DefaultBrowserCandidates(missingClass, "")), "old.exe;");
    EXPECT_EQ(executables(DefaultBrowserCandidates(registry({}), "")), "");
}
