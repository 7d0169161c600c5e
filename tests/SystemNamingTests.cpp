// The naming and formatting rules of the identifying values, row by row.

#include <gtest/gtest.h>

#include <map>

#include "sysinfo/SystemInfo.h"

namespace {

constexpr BYTE WORKSTATION = 1, DOMAIN_CONTROLLER = 2, SERVER = 3;
constexpr WORD SMALLBUSINESS = 0x0001, ENTERPRISE = 0x0002, DATACENTER = 0x0080, PERSONAL = 0x0200, BLADE = 0x0400;

OsVersionRecord Nt(DWORD major, DWORD minor, BYTE productType = WORKSTATION, WORD suite = 0, DWORD build = 2600,
                   DWORD product = 0, const std::string& csd = "")
{
    OsVersionRecord record;
    record.valid = record.extendedValid = true;
    record.platformId = VER_PLATFORM_WIN32_NT;
    record.major = major;
    record.minor = minor;
    record.build = build;
    record.csdVersion = csd;
    record.productType = productType;
    record.suiteMask = suite;
    record.product = product;
    return record;
}

OsVersionRecord NoExtended(OsVersionRecord record)
{
    record.extendedValid = false;
    return record;
}

OsVersionRecord Win9x(DWORD minor, const std::string& csd)
{
    OsVersionRecord record;
    record.valid = true;
    record.platformId = VER_PLATFORM_WIN32_WINDOWS;
    record.major = 4;
    record.minor = minor;
    record.build = 0x040A08AE;
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
        {NoExtended(Nt(4, 0)), 0, withType("winnt"), "Microsoft Windows NT Workstation 4.0"},
        {NoExtended(Nt(4, 0)), 0, withType("SERVERNT"), "Microsoft Windows NT Advanced Server 4.0"},
        {NoExtended(Nt(4, 0)), 0, withType("Terminal"), "Microsoft Windows NT 4.0"},
        {NoExtended(Nt(4, 0)), 0, noRegistry, "Microsoft Windows NT 4.0"},  // key cannot be opened
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

TEST(OsName, VistaToElevenAndServer2008To2025)
{
    struct Case {
        OsVersionRecord record;
        const char* name;
    };
    const Case cases[] = {
        {Nt(6, 0, WORKSTATION, 0, 6002, 0x03), "Microsoft Windows Vista Home Premium"},
        {Nt(6, 0, SERVER, 0, 6002, 0x08), "Microsoft Windows Server 2008 Datacenter"},
        {Nt(6, 1, WORKSTATION, 0, 7601, 0x1C), "Microsoft Windows 7 Ultimate N"},
        {Nt(6, 1, WORKSTATION, 0, 7601, 0x30), "Microsoft Windows 7 Professional"},
        {Nt(6, 2, WORKSTATION, 0, 9200, 0x30), "Microsoft Windows 8 Pro"},
        {Nt(6, 3, WORKSTATION, 0, 9600, 0x65), "Microsoft Windows 8.1 Home"},
        {Nt(6, 3, DOMAIN_CONTROLLER, 0, 9600, 0x08), "Microsoft Windows Server 2012 R2 Datacenter"},
        {Nt(10, 0, WORKSTATION, 0, 21999, 0x30), "Microsoft Windows 10 Pro"},
        {Nt(10, 0, WORKSTATION, 0, 22000, 0x30), "Microsoft Windows 11 Pro"},
        {Nt(10, 0, SERVER, 0, 26100, 0x07), "Microsoft Windows Server 2025 Standard"},
        {Nt(10, 0, WORKSTATION, 0, 17763, 0x7D), "Microsoft Windows 10 Enterprise LTSC"},
        {Nt(10, 0, DOMAIN_CONTROLLER, 0, 14393, 0x07), "Microsoft Windows Server 2016 Standard"},
        {Nt(10, 0, SERVER, 0, 25398, 0x08), "Microsoft Windows Server Datacenter"},  // no year is guessed
        {Nt(10, 0, WORKSTATION, 0, 22631, 0x12345), "Microsoft Windows 11"},  // unknown product
        {Nt(10, 0, WORKSTATION, 0, 22631, 0x1C), "Microsoft Windows 11"},  // a Windows 7 edition
        {Nt(6, 1, WORKSTATION, 0, 7601, 0xA4), "Microsoft Windows 7"},    // a Windows 10 edition
    };
    for (const Case& c : cases) EXPECT_EQ(Name(c.record), c.name) << c.record.build;
    // Without the extended query the product type comes from the registry.
    OsVersionRecord noExtended = Nt(10, 0, WORKSTATION, 0, 20348, 0x07);
    noExtended.extendedValid = false;
    EXPECT_EQ(Name(noExtended, 0, FakeRegistry({{productOptions, "ServerNT"}})), "Microsoft Windows Server 2022 Standard");
    EXPECT_EQ(Name(noExtended, 0, FakeRegistry({{productOptions, "WinNT"}})), "Microsoft Windows 10 Standard");
}

TEST(Captions, NamesVersionsServicePacksLocaleAndBrowserCommands)
{
    const std::string unknownVersion = "Unknown version of %1", unknownSystem = "Unknown Operating System";
    EXPECT_EQ(OsNameCaption(Nt(6, 4), noRegistry, unknownVersion, unknownSystem),
              "Unknown version of Microsoft Windows NT");
    EXPECT_EQ(OsNameCaption(OsVersionRecord{}, noRegistry, unknownVersion, unknownSystem), unknownSystem);

    const std::string format = "Version %u.%u (Build %u%s)";
    OsVersionRecord eleven = Nt(10, 0, WORKSTATION, 0, 22631, 0x30, "ignored");
    EXPECT_EQ(OsVersionCaption(eleven, noRegistry, format), "Version 10.0 (Build 22631)");
    eleven.hasUpdateRevision = true;
    eleven.updateRevision = 4602;
    eleven.displayVersion = "23H2";
    EXPECT_EQ(OsVersionCaption(eleven, noRegistry, format), "Version 10.0 (Build 22631.4602: 23H2)");
    OsVersionRecord seven = Nt(6, 1, WORKSTATION, 0, 7601, 1, "Service Pack 1");
    seven.displayVersion = "never";  // older systems print what they always printed
    EXPECT_EQ(OsVersionCaption(seven, noRegistry, format), "Version 6.1 (Build 7601: Service Pack 1)");
    EXPECT_EQ(OsVersionCaption(Win9x(10, " A"), noRegistry, format), "Version 4.10 (Build 2222)");
    EXPECT_EQ(OsVersionCaption(Nt(5, 1), noRegistry, "%s%s%s"), "");  // never a foreign format

    const RegistryReader subVersionA = FakeRegistry({{"Software\\Microsoft\\Windows\\CurrentVersion", "a"}});
    EXPECT_EQ(ServicePackFrom(Win9x(0, ""), subVersionA), "Service Pack 1");
    EXPECT_EQ(ServicePackFrom(Win9x(10, " A"), subVersionA), "");

    EXPECT_EQ(LocaleCaption("English", "United States"), "English (United States)");
    EXPECT_EQ(WithoutControlCharacters("Browser 1.0\r\nSystem Name:\tX\x7f\x1b"), "Browser 1.0  System Name: X  ");
    EXPECT_EQ(WithoutControlCharacters("Caf\xe9 \xfc"), "Caf\xe9 \xfc");  // letters of the code page stay
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("C:\\Browser\\browser.exe -url %1"), "C:\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\browser.exe -nohome"), "");
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
