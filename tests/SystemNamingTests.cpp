// The naming and formatting rules of the identifying values, row by row.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "captions/CustomSource.h"
#include "sysinfo/BrowserDiscovery.h"
#include "sysinfo/FirmwareTable.h"
#include "sysinfo/MachineFacts.h"
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

    // The physical addresses of the adapters the address line shows, in its order, once
    // each; gateways and DNS servers of the adapters that are up, IPv4 first, once each.
    AdapterRecord wired = adapter({v4(10, 0, 0, 1)}), wireless = adapter({v4(10, 0, 0, 2)}, {global}),
                  silent = adapter({}), off = down;
    wired.physicalAddress = {0x02, 0xfc, 0, 0, 0, 1};
    wireless.physicalAddress = {0xa, 0xb, 0xc, 0xd, 0xe, 0xf};
    silent.physicalAddress = off.physicalAddress = {9, 9, 9, 9, 9, 9};
    wired.gateways4 = {v4(10, 0, 0, 254)};
    wireless.gateways6 = {linkLocal};
    wireless.gateways4 = {v4(10, 0, 0, 254), v4(0, 0, 0, 0)};
    off.gateways4 = {v4(10, 9, 9, 9)};
    wired.dnsServers4 = {v4(10, 0, 0, 53), v4(1, 1, 1, 1), v4(8, 8, 8, 8), v4(9, 9, 9, 9), v4(8, 8, 4, 4)};
    const std::vector<AdapterRecord> adapters = {silent, off, wireless, wired};
    EXPECT_EQ(PhysicalAddressesText(adapters), "0A-0B-0C-0D-0E-0F, 02-FC-00-00-00-01");
    EXPECT_EQ(GatewaysText(adapters), "10.0.0.254, fe80::7");
    EXPECT_EQ(DnsServersText(adapters), "10.0.0.53, 1.1.1.1, 8.8.8.8, 9.9.9.9, ...");
    wireless.ipv4.clear();  // IPv6 alone on the wireless adapter: its physical address alone
    wired.ipv4.clear();
    EXPECT_EQ(PhysicalAddressesText({wireless, wired}), "0A-0B-0C-0D-0E-0F");

    // The shortest IPv6 form: the longest run of zero groups (the first of equals) as "::".
    EXPECT_EQ(FormatAddress(v6({}, 0)), "::");
    EXPECT_EQ(FormatAddress(v6({0xfd}, 2)), "fd00::2");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}), "2001:db8:0:1::1");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1}), "2001:db8::1:0:0:1");
    EXPECT_EQ(FormatAddress(IPv6Address{0x20, 0x01, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}), "2001:0:1:2:3:4:5:6");
}

TEST(MachineTexts, SizesTimesProcessorsDrivesDomains)
{
    for (const auto& [bytes, text] : std::vector<std::pair<uint64_t, const char*>>{
             {0, "0 MB"}, {512ull << 20, "512 MB"}, {(1ull << 30) - 1, "1024 MB"}, {1ull << 30, "1.0 GB"},
             {25278717952ull, "23.5 GB"}, {270582939648ull, "252.0 GB"}})
        EXPECT_EQ(SizeText(bytes), text) << bytes;
    EXPECT_EQ(ProcessorText("  Intel(R)  Xeon(R)\tCPU   @ 2.20GHz  ", 8), "Intel(R) Xeon(R) CPU @ 2.20GHz (8 logical processors)");
    EXPECT_EQ(ProcessorText("Solo", 1), "Solo (1 logical processor)");
    EXPECT_EQ(ProcessorText("   ", 4), "");
    EXPECT_EQ(SystemTypeText(12) + SystemTypeText(0xFFFF), "ARM64");  // x64 is the host oracle's
    std::vector<DriveSpace> drives = {{'C', 80'900'000'000ull, 270'582'939'648ull}, {'D', 1ull << 29, 1ull << 30}};
    EXPECT_EQ(FreeSpaceText(drives), "C: 75.3 GB free of 252.0 GB, D: 512 MB free of 1.0 GB");
    EXPECT_EQ(DomainText("corp.example.com", "CORP", false), "corp.example.com");
    EXPECT_EQ(DomainText("", "CORP", false), "CORP");
    EXPECT_EQ(DomainText("", "WORKGROUP", true), "WORKGROUP (workgroup)");
    EXPECT_EQ(DomainText("", "", true), "");
    EXPECT_EQ(LogonServerText("\\\\DC01") + LogonServerText("DC02") + LogonServerText("\\\\"), "DC01DC02");
    EXPECT_EQ(LocalMinuteBefore({0, 1}, 1ull << 40), "");  // an uptime longer than time itself
}

namespace {

// A raw firmware table: the 8-byte header, then the records as given.
std::vector<uint8_t> Table(const std::vector<std::vector<uint8_t>>& records, int lengthChange = 0)
{
    std::vector<uint8_t> body;
    for (const auto& record : records) body.insert(body.end(), record.begin(), record.end());
    const uint32_t length = static_cast<uint32_t>(static_cast<int>(body.size()) + lengthChange);
    std::vector<uint8_t> table = {0, 3, 4, 0};
    for (int shift = 0; shift < 32; shift += 8) table.push_back(static_cast<uint8_t>(length >> shift));
    table.insert(table.end(), body.begin(), body.end());
    return table;
}

std::vector<uint8_t> Record(uint8_t type, std::vector<uint8_t> formatted, const std::vector<std::string>& strings)
{
    std::vector<uint8_t> record = {type, static_cast<uint8_t>(4 + formatted.size()), 0, 0};
    record.insert(record.end(), formatted.begin(), formatted.end());
    for (const std::string& text : strings) {
        record.insert(record.end(), text.begin(), text.end());
        record.push_back(0);
    }
    if (strings.empty()) record.push_back(0);
    record.push_back(0);
    return record;
}

std::string Identity(const std::vector<uint8_t>& table)
{
    const FirmwareIdentity found = ParseFirmwareTable(table.data(), table.size());
    return found.manufacturer + "|" + found.model + "|" + found.serialNumber + "|" + found.assetTag;
}

}  // namespace

TEST(FirmwareTable, RecordsStringsPlaceholdersAndLyingLengths)
{
    const auto bios = Record(0, {1, 2, 0, 3}, {"Vendor", "1.0"});
    const auto system = Record(1, {1, 2, 0, 3}, {"Contoso", "  Model 7 ", "SN\x01" "123"});
    const auto enclosure = Record(3, {1, 3, 0, 0, 2}, {"Contoso", "AT-42"});
    const auto end = Record(127, {}, {});
    EXPECT_EQ(Identity(Table({bios, system, enclosure, end})), "Contoso|Model 7|SN 123|AT-42");
    EXPECT_EQ(Identity(Table({})), "|||");
    EXPECT_EQ(Identity({1, 2, 3}), "|||");  // shorter than the header
    // Placeholders count as no value; string 0 is none, a number past the strings too.
    EXPECT_EQ(Identity(Table({Record(1, {1, 2, 0, 3}, {"To Be Filled By O.E.M.", "Default string", "00000000"}),
                              Record(3, {0, 3, 0, 0, 9}, {})})),
              "|||");
    EXPECT_EQ(Identity(Table({Record(1, {0, 2, 0, 3}, {"x", "System Product Name", "   "})})), "|||");
    for (const char* text : {"Not Specified", "none", "SYSTEM SERIAL NUMBER", "00-00 00"}) EXPECT_TRUE(IsPlaceholderText(text));
    // The end record stops the walk: a system record after it is not read.
    EXPECT_EQ(Identity(Table({end, system})), "|||");
    // A table whose header claims more than the buffer, a record longer than what is
    // left, strings without their end: nothing is read past the buffer.
    auto cut = Table({bios, system});
    cut.resize(cut.size() - 3);  // inside the system record's last string, which is not read
    EXPECT_EQ(Identity(cut), "Contoso|Model 7||");
    EXPECT_EQ(Identity(Table({bios, system}, 1000)), "Contoso|Model 7|SN 123|");
    EXPECT_EQ(Identity(Table({bios, system}, -8)), "Contoso|Model 7||");  // the stated length ends inside it
    auto lying = system;
    lying[1] = 200;  // a formatted part longer than the table
    EXPECT_EQ(Identity(Table({lying, enclosure})), "|||");
    lying[1] = 2;  // shorter than a record's header
    EXPECT_EQ(Identity(Table({lying, enclosure})), "|||");
}

// What the real registry, environment and files give is the unattended tests' concern:
// here the rules for what a hostile file or registry could hand them.
TEST(CustomSources, KindsRegistryPathsAndValues)
{
    for (const char* never : {"cmd:/c calc", "powershell:Get-Item", "https://example.com/x", "C:\\x.exe", "", "env"})
        EXPECT_EQ(ParseCustomSource(never).kind, SourceKind::None) << never;
    EXPECT_TRUE(IsPerUserSource(ParseCustomSource("registry:HKEY_CURRENT_USER\\Software\\X\\Y")));
    EXPECT_FALSE(IsPerUserSource(ParseCustomSource("registry:HKLM\\Software\\X\\Y")));
    EXPECT_FALSE(IsPerUserSource(ParseCustomSource("text:%USERNAME%")));
    RegistryPath path;
    ASSERT_TRUE(ParseRegistryPath("HKCU\\Key\\", path));  // the key's default value
    EXPECT_TRUE(path.root == HKEY_CURRENT_USER && path.key == "Key" && path.value.empty());
    for (const char* bad : {"HKLM\\OnlyValue", "HKCR\\A\\B", "\\\\server\\A\\B", "HKLM", ""})
        EXPECT_FALSE(ParseRegistryPath(bad, path)) << bad;
    const auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
    const auto expand = [](const std::string& text) { return text; };
    EXPECT_EQ(RegistryValueText(REG_SZ, bytes("no end"), expand), "no end");
    EXPECT_EQ(RegistryValueText(REG_DWORD, {0x2a, 0}, expand), "");  // shorter than its type
    EXPECT_EQ(RegistryValueText(REG_MULTI_SZ, bytes(std::string("a\0bc", 4)), expand), "a, bc");
    EXPECT_EQ(CustomValueText(std::string(5000, 'x')).size(), MAX_CUSTOM_VALUE);
}
