// The naming and formatting rules of the identifying values, row by row.

#include <gtest/gtest.h>

#include <map>

#include "sysinfo/BrowserDiscovery.h"
#include "sysinfo/SystemInfo.h"

namespace {

constexpr BYTE WORKSTATION = 1, DOMAIN_CONTROLLER = 2, SERVER = 3;

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

TEST(OsName, VistaToElevenAndServer2008To2025)
{
    struct Case {
        OsVersionRecord record;
        const char* name;
    };
    const Case cases[] = {
        {Nt(6, 0, WORKSTATION, 0, 6002, 0x03), "Microsoft Windows Vista Home Premium"},
        {Nt(6, 1, WORKSTATION, 0, 7601, 0x1C), "Microsoft Windows 7 Ultimate N"},
        {Nt(6, 2, WORKSTATION, 0, 9200, 0x30), "Microsoft Windows 8 Pro"},
        {Nt(6, 3, WORKSTATION, 0, 9600, 0x65), "Microsoft Windows 8.1 Home"},
        {Nt(6, 3, DOMAIN_CONTROLLER, 0, 9600, 0x08), "Microsoft Windows Server 2012 R2 Datacenter"},
        {Nt(10, 0, WORKSTATION, 0, 21999, 0x30), "Microsoft Windows 10 Pro"},
        {Nt(10, 0, WORKSTATION, 0, 22000, 0x30), "Microsoft Windows 11 Pro"},
        {Nt(10, 0, SERVER, 0, 26100, 0x07), "Microsoft Windows Server 2025 Standard"},
        {Nt(10, 0, WORKSTATION, 0, 17763, 0x7D), "Microsoft Windows 10 Enterprise LTSC"},
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

TEST(Captions, VersionsLocaleAndBrowserCommands)
{
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
    EXPECT_EQ(OsVersionCaption(Nt(5, 1), noRegistry, "%s%s%s"), "");  // never a foreign format
    EXPECT_EQ(WithoutControlCharacters("Browser 1.0\r\nSystem Name:\tX\x7f\x1b"), "Browser 1.0  System Name: X  ");
    EXPECT_EQ(WithoutControlCharacters("Caf\xe9 \xfc"), "Caf\xe9 \xfc");  // letters of the code page stay
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("C:\\Browser\\browser.exe -url %1"), "C:\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\browser.exe -nohome"), "");
}
