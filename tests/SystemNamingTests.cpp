// The naming and formatting rules of the identifying values, row by row.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sysinfo/BrowserDiscovery.h"
#include "sysinfo/NetworkIdentity.h"
#include "sysinfo/SystemInfo.h"

namespace {

constexpr BYTE WORKSTATION = 1, DOMAIN_CONTROLLER = 2, SERVER = 3;

OsVersionRecord Nt(DWORD major, DWORD minor, BYTE productType = WORKSTATION, WORD suite = 0, DWORD build = 2600,
                   DWORD product = 0, const std::string& csd = "")
{
    return {true, major, minor, build, VER_PLATFORM_WIN32_NT, csd, true, suite, productType, product, false, 0, ""};
}

// One value per key; keys not listed cannot be opened.
RegistryReader FakeRegistry(std::map<std::string, std::string> values)
{
    return [values](HKEY, const std::string& subkey, const std::string&) -> std::optional<std::string> {
        const auto key = values.find(subkey);
        return key == values.end() ? std::nullopt : std::optional<std::string>(key->second);
    };
}

const RegistryReader noRegistry = FakeRegistry({});
const char* const productOptions = "System\\CurrentControlSet\\Control\\ProductOptions";

}  // namespace

// Every Windows by the name it gives itself: Windows 95 to 11, Server 2003 to 2025, as
// far as the edition tables know them.
TEST(OsName, EveryWindowsAsItNamesItself)
{
    auto record = [](DWORD platform, DWORD minor, const char* csd) {
        return OsVersionRecord{true, 4, minor, 0, platform, csd, false, 0, 0, 0, false, 0, ""};
    };
    auto nine = [&](DWORD minor, const char* csd) { return record(VER_PLATFORM_WIN32_WINDOWS, minor, csd); };
    constexpr WORD PERSONAL = 0x0200, BLADE = 0x0400, DATACENTER = 0x0080, ENTERPRISE = 0x0002, SMALL_BUSINESS = 0x0001;
    struct Case {
        OsVersionRecord record;
        const char* name;
    };
    const Case cases[] = {
        {nine(0, " B"), "Microsoft Windows 95 OSR 2"},
        {nine(0, " C"), "Microsoft Windows 95 OSR 2.5"},
        {nine(0, " A"), "Microsoft Windows 95 A"},
        {nine(10, " A"), "Microsoft Windows 98 SE"},
        {nine(10, ""), "Microsoft Windows 98"},
        {nine(90, ""), "Microsoft Windows ME"},
        {nine(91, ""), ""},
        {record(VER_PLATFORM_WIN32s, 0, ""), "Microsoft Win32s on Windows 3.1"},
        {Nt(4, 0), "Microsoft Windows NT Workstation 4.0"},
        {Nt(4, 0, SERVER, ENTERPRISE), "Microsoft Windows NT Enterprise Edition 4.0"},
        {Nt(5, 0, SERVER, ENTERPRISE), "Microsoft Windows 2000 Advanced Server"},
        {Nt(5, 0, DOMAIN_CONTROLLER, DATACENTER), "Microsoft Windows 2000 Datacenter Server"},
        {Nt(5, 0, SERVER), "Microsoft Windows 2000"},
        {Nt(5, 1), "Microsoft Windows XP Professional"},
        {Nt(5, 1, WORKSTATION, PERSONAL), "Microsoft Windows XP Home Edition"},
        {Nt(5, 2, SERVER, ENTERPRISE), "Microsoft Windows Server 2003, Enterprise Edition"},
        {Nt(5, 2, SERVER, BLADE | SMALL_BUSINESS), "Microsoft Windows Server 2003, Web Edition Small Business Server"},
        {Nt(5, 2, SERVER, DATACENTER), "Microsoft Windows Server 2003, Datacenter Edition"},
        {Nt(5, 3), ""},
        {Nt(2, 0), ""},
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
    for (const Case& c : cases)
        EXPECT_EQ(OsNameFrom(c.record, noRegistry), c.name) << c.record.major << "." << c.record.minor << " " << c.record.build;
    // Without the extended query the product type comes from the registry.
    OsVersionRecord old = Nt(4, 0), ten = Nt(10, 0, WORKSTATION, 0, 20348, 0x07);
    old.extendedValid = ten.extendedValid = false;
    EXPECT_EQ(OsNameFrom(old, FakeRegistry({{productOptions, "LanmanNT"}})), "Microsoft Windows NT Server 4.0");
    EXPECT_EQ(OsNameFrom(old, noRegistry), "Microsoft Windows NT 4.0");
    EXPECT_EQ(OsNameFrom(ten, FakeRegistry({{productOptions, "ServerNT"}})), "Microsoft Windows Server 2022 Standard");
    EXPECT_EQ(OsNameFrom(ten, FakeRegistry({{productOptions, "WinNT"}})), "Microsoft Windows 10 Standard");
}

TEST(Captions, VersionsControlBytesAndBrowserCommands)
{
    const std::string format = "Version %1.%2 (Build %3%4)";
    OsVersionRecord eleven = Nt(10, 0, WORKSTATION, 0, 22631, 0x30, "ignored");
    EXPECT_EQ(OsVersionCaption(eleven, noRegistry, format), "Version 10.0 (Build 22631)");
    eleven.hasUpdateRevision = true;
    eleven.updateRevision = 4602;
    eleven.displayVersion = "23H2";
    EXPECT_EQ(OsVersionCaption(eleven, noRegistry, format), "Version 10.0 (Build 22631.4602: 23H2)");
    eleven.displayVersion = "%s%1";  // a registry value's own conversions are text
    EXPECT_EQ(OsVersionCaption(eleven, noRegistry, format), "Version 10.0 (Build 22631.4602: %s%1)");
    OsVersionRecord seven = Nt(6, 1, WORKSTATION, 0, 7601, 1, "Service Pack 1");
    seven.displayVersion = "never";  // older systems print what they always printed
    EXPECT_EQ(OsVersionCaption(seven, noRegistry, format), "Version 6.1 (Build 7601: Service Pack 1)");
    EXPECT_EQ(WithoutControlCharacters("Browser 1.0\r\nSystem Name:\tX\x7f\x1b"), "Browser 1.0  System Name: X  ");
    EXPECT_EQ(WithoutControlCharacters("Caf\xe9 \xfc"), "Caf\xe9 \xfc");  // letters of the code page stay
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("C:\\Browser\\browser.exe -url %1"), "C:\\Browser\\browser.exe");
    EXPECT_EQ(ExecutableFromCommand("\"C:\\Program Files\\browser.exe -nohome"), "");
}

// Where the default browser may be named, in order: the user's choice for https then
// http (the newer key first; a packaged app by its name, a class's command from the
// user's own classes first), the system's association, then the class of ".htm".
TEST(BrowserCandidates, UserChoiceFirstAndPackagedAppsByName)
{
    const std::string associations = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";
    const RegistryReader registry = FakeRegistry({
        {associations + "https\\UserChoiceLatest\\ProgId", "AppXBrowser"},
        {"AppXBrowser\\Application", "@{Example.Browser_1.0}"},
        {associations + "https\\UserChoice", "UserBrowserHTML"},
        {"Software\\Classes\\UserBrowserHTML\\shell\\open\\command", "\"C:\\Users\\u\\browser.exe\" -- \"%1\""},
        {"UserBrowserHTML\\shell\\open\\command", "\"C:\\Machine\\other.exe\" \"%1\""},
        {associations + "http\\UserChoice", "Gone"},
        {".htm", "htmlfile"},
        {"htmlfile\\shell\\open\\command", "C:\\Old\\iexplore.exe %1"},
    });
    std::string found;  // each candidate's app name and executable
    for (const BrowserCandidate& candidate : DefaultBrowserCandidates(registry, "C:\\Assoc\\browser.exe"))
        found += candidate.appName + "|" + candidate.executable + "; ";
    EXPECT_EQ(found, "@{Example.Browser_1.0}|; |C:\\Users\\u\\browser.exe; |C:\\Assoc\\browser.exe; |C:\\Old\\iexplore.exe; ");
    EXPECT_TRUE(DefaultBrowserCandidates(noRegistry, "").empty());
}

TEST(NetworkAddresses, WhichAddressesTheWallpaperShows)
{
    auto v4 = [](uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return IPv4Address{a, b, c, d}; };
    auto v6 = [](std::initializer_list<uint8_t> head, uint8_t last) {
        IPv6Address address = {};
        std::copy(head.begin(), head.end(), address.begin());
        address[15] = last;
        return address;
    };
    auto adapter = [](std::vector<IPv4Address> ipv4, std::vector<IPv6Address> ipv6 = {}) {
        AdapterRecord record;
        record.up = true;
        record.ipv4 = std::move(ipv4);
        record.ipv6 = std::move(ipv6);
        return record;
    };
    AdapterRecord down = adapter({v4(10, 0, 0, 9)}), loopback = adapter({v4(127, 0, 0, 1)}, {v6({}, 1)}),
                  tunnel = adapter({v4(10, 9, 9, 9)});
    down.up = false;
    loopback.loopback = true;
    tunnel.tunnel = true;
    const IPv6Address global = v6({0x20, 0x01, 0x0d, 0xb8}, 1), linkLocal = v6({0xfe, 0x80}, 7);
    struct Case {
        std::vector<AdapterRecord> adapters;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{adapter({v4(192, 168, 1, 20)})}, "192.168.1.20"},
        {{down, loopback, tunnel, adapter({v4(169, 254, 3, 4), v4(10, 1, 2, 3)}, {global})}, "10.1.2.3"},
        {{adapter({}, {linkLocal, global}), adapter({v4(172, 16, 0, 1)})}, "172.16.0.1"},  // IPv6 only without IPv4
        {{adapter({v4(169, 254, 1, 1)}, {linkLocal, global})}, "2001:db8::1"},
        {{adapter({}, {linkLocal})}, ""},
        {{adapter({v4(10, 0, 0, 1), v4(10, 0, 0, 2)}), adapter({v4(10, 0, 0, 3), v4(10, 0, 0, 4)})},
         "10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4"},
        {{adapter({v4(10, 0, 0, 1), v4(10, 0, 0, 2), v4(10, 0, 0, 3)}), adapter({v4(10, 0, 0, 4), v4(10, 0, 0, 5)})},
         "10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4, ..."},
    };
    for (const Case& c : cases) EXPECT_EQ(AddressesText(c.adapters), c.text);

    // The shortest IPv6 form: the longest run of zero groups (the first of equals) as "::".
    EXPECT_EQ(FormatAddress(v6({}, 0)), "::");
    EXPECT_EQ(FormatAddress(v6({0xfd}, 2)), "fd00::2");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}), "2001:db8:0:1::1");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1}), "2001:db8::1:0:0:1");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}), "2001:0:1:2:3:4:5:6");
}
