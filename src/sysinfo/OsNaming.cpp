#include "sysinfo/OsNaming.h"

#include <cstdio>

#include "win/ResourceText.h"

namespace {

constexpr BYTE PRODUCT_WORKSTATION = 1;  // VER_NT_WORKSTATION
constexpr WORD SUITE_SMALLBUSINESS = 0x0001, SUITE_ENTERPRISE = 0x0002, SUITE_DATACENTER = 0x0080,
               SUITE_PERSONAL = 0x0200, SUITE_BLADE = 0x0400;

const char* const PREFIX = "Microsoft ";

// The second character of the CSD text, or 0.
char CsdLetter(const std::string& csd) { return csd.size() >= 2 ? csd[1] : '\0'; }

std::string Windows9xName(const OsVersionRecord& record)
{
    const char letter = CsdLetter(record.csdVersion);
    switch (record.minor) {
    case 0:
        if (letter == 'B') return "Windows 95 OSR 2";
        if (letter == 'C') return "Windows 95 OSR 2.5";
        return "Windows 95" + record.csdVersion;
    case 10:
        if (letter == 'A') return "Windows 98 SE";
        return "Windows 98" + record.csdVersion;
    case 90:
        return "Windows ME" + record.csdVersion;
    default:
        return std::string();
    }
}

std::string ServerEdition(const OsVersionRecord& record)
{
    std::string edition;
    if (record.suiteMask & SUITE_BLADE) edition += ", Web Edition";
    if ((record.suiteMask & SUITE_DATACENTER) && record.major == 5) {
        if (record.minor == 0) edition += " Datacenter Server";
        if (record.minor == 2) edition += ", Datacenter Edition";
    }
    if (record.suiteMask & SUITE_ENTERPRISE) {
        if (record.major == 4) edition += " Enterprise Edition";
        if (record.major == 5 && record.minor == 0) edition += " Advanced Server";
        if (record.major == 5 && record.minor == 2) edition += ", Enterprise Edition";
    }
    if (record.suiteMask & SUITE_SMALLBUSINESS) edition += " Small Business Server";
    return edition;
}

std::string ProductTypeEdition(const RegistryReader& registry)
{
    const std::optional<std::string> type =
        registry(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", "ProductType");
    if (!type) return std::string();
    if (lstrcmpiA(type->c_str(), "WINNT") == 0) return " Workstation";
    if (lstrcmpiA(type->c_str(), "LANMANNT") == 0) return " Server";
    if (lstrcmpiA(type->c_str(), "SERVERNT") == 0) return " Advanced Server";
    return std::string();
}

bool IsServer(const OsVersionRecord& record, const RegistryReader& registry)
{
    if (record.extendedValid) return record.productType != PRODUCT_WORKSTATION;
    const std::optional<std::string> type =
        registry(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", "ProductType");
    return type && (lstrcmpiA(type->c_str(), "LANMANNT") == 0 || lstrcmpiA(type->c_str(), "SERVERNT") == 0);
}

// NT 6.0 and later, as Windows itself names them; empty for versions not known here.
std::string ModernWindowsName(const OsVersionRecord& record, const RegistryReader& registry)
{
    const bool server = IsServer(record, registry);
    std::string name;
    if (record.major == 6) {
        static const char* const workstations[] = {"Windows Vista", "Windows 7", "Windows 8", "Windows 8.1"};
        static const char* const servers[] = {"Windows Server 2008", "Windows Server 2008 R2", "Windows Server 2012",
                                              "Windows Server 2012 R2"};
        if (record.minor > 3) return std::string();
        name = server ? servers[record.minor] : workstations[record.minor];
    } else if (record.major == 10 && record.minor == 0) {
        if (!server) {
            name = record.build >= 22000 ? "Windows 11" : "Windows 10";
        } else {
            // Server releases by build; another build gets no year rather than a guessed one.
            static const struct {
                DWORD build;
                const char* name;
            } releases[] = {{14393, "Windows Server 2016"}, {17763, "Windows Server 2019"},
                            {20348, "Windows Server 2022"}, {26100, "Windows Server 2025"}};
            name = "Windows Server";
            for (const auto& release : releases)
                if (release.build == record.build) name = release.name;
        }
    } else {
        return std::string();
    }
    const std::string edition = EditionName(record.product, record.major, record.minor);
    return edition.empty() ? name : name + " " + edition;
}

std::string WindowsNtName(const OsVersionRecord& record, const RegistryReader& registry)
{
    if (record.major >= 6) return ModernWindowsName(record, registry);
    std::string name;
    if (record.major == 3 || record.major == 4)
        name = "Windows NT";
    else if (record.major == 5 && record.minor == 0)
        name = "Windows 2000";
    else if (record.major == 5 && record.minor == 1)
        name = "Windows XP";
    else if (record.major == 5 && record.minor == 2)
        name = "Windows Server 2003";
    else
        return std::string();

    if (!record.extendedValid)
        name += ProductTypeEdition(registry);
    else if (record.productType == PRODUCT_WORKSTATION)
        name += (record.suiteMask & SUITE_PERSONAL) ? " Home Edition"
                                                    : (record.major <= 4 ? " Workstation" : " Professional");
    else
        name += ServerEdition(record);

    if (record.major <= 4) {
        char version[32];
        std::snprintf(version, sizeof version, " %lu.%lu", record.major, record.minor);
        name += version;
    }
    return name;
}

}  // namespace

std::string EditionName(DWORD product, DWORD major, DWORD minor)
{
    const bool vistaOrSeven = major == 6 && minor <= 1;
    const bool tenOrLater = major >= 10;
    struct Edition {
        DWORD product;
        const char* name;
        int versions;  // 0 any, 1 Vista and 7 only, 2 Windows 10 and later only
    };
    static const Edition editions[] = {
        {0x01, "Ultimate", 1},          {0x1C, "Ultimate N", 1},         {0x02, "Home Basic", 1},
        {0x05, "Home Basic N", 1},      {0x03, "Home Premium", 1},       {0x1A, "Home Premium N", 1},
        {0x06, "Business", 1},          {0x10, "Business N", 1},         {0x0B, "Starter", 1},
        {0x2F, "Starter N", 1},         {0x04, "Enterprise", 0},         {0x1B, "Enterprise N", 0},
        {0x65, "Home", 0},              {0x62, "Home N", 0},             {0x63, "Home China", 0},
        {0x64, "Home Single Language", 0},
        {0xA1, "Pro for Workstations", 2}, {0xA2, "Pro for Workstations N", 2},
        {0x79, "Education", 2},         {0x7A, "Education N", 2},        {0xA4, "Pro Education", 2},
        {0xA5, "Pro Education N", 2},   {0x7D, "Enterprise LTSC", 2},    {0x7E, "Enterprise LTSC N", 2},
        {0xBC, "IoT Enterprise", 2},    {0xBF, "IoT Enterprise LTSC", 2}, {0xAF, "Enterprise multi-session", 2},
        {0x07, "Standard", 0},          {0x0D, "Standard", 0},           {0x24, "Standard", 0},
        {0x28, "Standard", 0},          {0x4F, "Standard", 0},           {0xA0, "Standard", 0},
        {0x08, "Datacenter", 0},        {0x0C, "Datacenter", 0},         {0x25, "Datacenter", 0},
        {0x27, "Datacenter", 0},        {0x50, "Datacenter", 0},         {0x9F, "Datacenter", 0},
        {0x0A, "Enterprise", 0},        {0x0E, "Enterprise", 0},         {0x11, "Web", 0},
        {0x1D, "Web", 0},               {0x21, "Foundation", 0},         {0x32, "Essentials", 0},
        {0x197, "Datacenter: Azure Edition", 2}, {0x198, "Datacenter: Azure Edition", 2},
    };
    // Windows 7 calls its professional edition "Professional", Windows 8 on "Pro".
    if (product == 0x30 || product == 0x31) {
        if (major == 6 && minor == 1) return product == 0x30 ? "Professional" : "Professional N";
        if (major > 6 || (major == 6 && minor >= 2)) return product == 0x30 ? "Pro" : "Pro N";
        return std::string();
    }
    for (const Edition& edition : editions) {
        if (edition.product != product) continue;
        if ((edition.versions == 1 && !vistaOrSeven) || (edition.versions == 2 && !tenOrLater)) return std::string();
        return edition.name;
    }
    return std::string();  // unknown, PRODUCT_UNDEFINED or PRODUCT_UNLICENSED
}

int PlatformIdFrom(const OsVersionRecord& record)
{
    return record.valid ? static_cast<int>(record.platformId) : -1;
}

bool OsVersionNumbersFrom(const OsVersionRecord& record, DWORD& major, DWORD* minor, DWORD* build)
{
    if (!record.valid) return false;
    major = record.major;
    if (minor) *minor = record.minor;
    // Outside NT the high word of the build number repeats the major and minor numbers.
    if (build) *build = record.platformId == VER_PLATFORM_WIN32_NT ? record.build : (record.build & 0xFFFF);
    return true;
}

std::string OsFamilyNameFrom(const OsVersionRecord& record)
{
    const char* family = nullptr;
    switch (PlatformIdFrom(record)) {
    case VER_PLATFORM_WIN32s: family = "Win32s"; break;
    case VER_PLATFORM_WIN32_WINDOWS: family = "Windows"; break;
    case VER_PLATFORM_WIN32_NT: family = "Windows NT"; break;
    default: return std::string();
    }
    return PREFIX + std::string(family);
}

std::string OsNameFrom(const OsVersionRecord& record, const RegistryReader& registry)
{
    if (!record.valid) return std::string();
    std::string name;
    switch (record.platformId) {
    case VER_PLATFORM_WIN32s: name = "Win32s on Windows 3.1"; break;
    case VER_PLATFORM_WIN32_WINDOWS: name = Windows9xName(record); break;
    case VER_PLATFORM_WIN32_NT: name = WindowsNtName(record, registry); break;
    default: break;
    }
    if (name.empty()) return name;
    return PREFIX + name;
}

std::string ServicePackFrom(const OsVersionRecord& record, const RegistryReader& registry)
{
    if (!record.valid) return std::string();
    if (record.platformId == VER_PLATFORM_WIN32_NT && !record.csdVersion.empty()) return record.csdVersion;
    if (record.platformId == VER_PLATFORM_WIN32_WINDOWS && record.minor == 0) {
        const std::optional<std::string> sub =
            registry(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "SubVersionNumber");
        if (sub && *sub == "a") return "Service Pack 1";
    }
    return std::string();
}

std::string OsNameCaption(const OsVersionRecord& record, const RegistryReader& registry,
                          const std::string& unknownVersion, const std::string& unknownSystem)
{
    std::string name = OsNameFrom(record, registry);
    if (!name.empty()) return name;
    const std::string family = OsFamilyNameFrom(record);
    if (family.empty()) return unknownSystem;
    std::string text = unknownVersion;
    const size_t marker = text.find("%1");
    if (marker != std::string::npos) text.replace(marker, 2, family);
    return text;
}

std::string OsVersionCaption(const OsVersionRecord& record, const RegistryReader& registry,
                             const std::string& versionFormat)
{
    DWORD major = 0, minor = 0, build = 0;
    if (!OsVersionNumbersFrom(record, major, &minor, &build)) return std::string();
    std::string servicePack = ServicePackFrom(record, registry);
    if (record.platformId == VER_PLATFORM_WIN32_NT && major >= 10) {
        // "Build 22631.4602: 23H2": the update revision after the build, the display
        // version where older systems name their service pack.
        servicePack = record.hasUpdateRevision ? "." + std::to_string(record.updateRevision) : "";
        if (!record.displayVersion.empty()) servicePack += ": " + record.displayVersion;
    } else if (!servicePack.empty()) {
        servicePack = ": " + servicePack;
    }
    return FillPlaceholders(versionFormat, {std::to_string(major), std::to_string(minor), std::to_string(build),
                                            servicePack});
}

std::string LocaleCaption(const std::string& language, const std::string& country)
{
    return country.empty() ? language : language + " (" + country + ")";
}
