#include "sysinfo/SystemInfo.h"

#include <cstdio>

#include "resources/resource.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/VersionInfo.h"
#include "win/ResourceText.h"

namespace {

constexpr BYTE PRODUCT_WORKSTATION = 1;  // VER_NT_WORKSTATION
constexpr WORD SUITE_SMALLBUSINESS = 0x0001, SUITE_ENTERPRISE = 0x0002, SUITE_DATACENTER = 0x0080,
               SUITE_PERSONAL = 0x0200, SUITE_BLADE = 0x0400;

std::string Prefix(unsigned options) { return (options & OS_NAME_NO_PREFIX) ? "" : "Microsoft "; }

// The second character of the CSD text, or 0.
char CsdLetter(const std::string& csd) { return csd.size() >= 2 ? csd[1] : '\0'; }

std::string Windows9xName(const OsVersionRecord& record, bool longForm)
{
    const char letter = CsdLetter(record.csdVersion);
    switch (record.minor) {
    case 0:
        if (letter == 'B') return std::string("Windows 95") + (longForm ? " OEM Service Release 2" : " OSR 2");
        if (letter == 'C') return std::string("Windows 95") + (longForm ? " OEM Service Release 2.5" : " OSR 2.5");
        return "Windows 95" + record.csdVersion;
    case 10:
        if (letter == 'A') return std::string("Windows 98") + (longForm ? " Second Edition" : " SE");
        return "Windows 98" + record.csdVersion;
    case 90:
        return (longForm ? "Windows Millennium Edition" : "Windows ME") + record.csdVersion;
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

std::string WindowsNtName(const OsVersionRecord& record, const RegistryReader& registry)
{
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

std::string OsFamilyNameFrom(const OsVersionRecord& record, unsigned options)
{
    const char* family = nullptr;
    switch (PlatformIdFrom(record)) {
    case VER_PLATFORM_WIN32s: family = "Win32s"; break;
    case VER_PLATFORM_WIN32_WINDOWS: family = "Windows"; break;
    case VER_PLATFORM_WIN32_NT: family = "Windows NT"; break;
    default: return std::string();
    }
    if (options & OS_NAME_FAMILY_ONLY) return Prefix(options) + family;
    DWORD major = 0, minor = 0, build = 0;
    OsVersionNumbersFrom(record, major, &minor, &build);
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %lu.%lu.%lu.%u", major, minor, build, 0u);
    return Prefix(options) + family + numbers;
}

std::string OsNameFrom(const OsVersionRecord& record, unsigned options, const RegistryReader& registry)
{
    if (!record.valid) return std::string();
    std::string name;
    switch (record.platformId) {
    case VER_PLATFORM_WIN32s: name = "Win32s on Windows 3.1"; break;
    case VER_PLATFORM_WIN32_WINDOWS: name = Windows9xName(record, (options & OS_NAME_LONG_EDITIONS) != 0); break;
    case VER_PLATFORM_WIN32_NT: name = WindowsNtName(record, registry); break;
    default: break;
    }
    if (name.empty()) return name;
    return Prefix(options) + name;
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
    std::string name = OsNameFrom(record, 0, registry);
    if (!name.empty()) return name;
    const std::string family = OsFamilyNameFrom(record, OS_NAME_FAMILY_ONLY);
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
    if (!servicePack.empty()) servicePack = ": " + servicePack;
    // The format is ours (string 1008); its four conversions are checked before use.
    if (versionFormat.find("%u.%u (Build %u%s)") == std::string::npos) return std::string();
    char text[512];
    std::snprintf(text, sizeof text, versionFormat.c_str(), static_cast<unsigned>(major), static_cast<unsigned>(minor),
                  static_cast<unsigned>(build), servicePack.c_str());
    return text;
}

std::string LocaleCaption(const std::string& language, const std::string& country)
{
    return country.empty() ? language : language + " (" + country + ")";
}

std::string ExecutableFromCommand(const std::string& command)
{
    if (!command.empty() && command[0] == '"') {
        const size_t closing = command.find('"', 2);
        return closing == std::string::npos ? std::string() : command.substr(1, closing - 1);
    }
    return command.substr(0, command.find(' '));
}

OsVersionRecord QueryOsVersion()
{
    OsVersionRecord record;
    OSVERSIONINFOA basic = {};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (!GetVersionExA(&basic)) return record;
    record.valid = true;
    record.major = basic.dwMajorVersion;
    record.minor = basic.dwMinorVersion;
    record.build = basic.dwBuildNumber;
    record.platformId = basic.dwPlatformId;
    record.csdVersion = std::string(basic.szCSDVersion, strnlen(basic.szCSDVersion, sizeof basic.szCSDVersion));
    if (record.platformId == VER_PLATFORM_WIN32_NT) {
        OSVERSIONINFOEXA extended = {};
        extended.dwOSVersionInfoSize = sizeof extended;
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            record.extendedValid = true;
            record.suiteMask = extended.wSuiteMask;
            record.productType = extended.wProductType;
        }
    }
    return record;
}

RegistryReader SystemRegistry()
{
    return [](HKEY root, const std::string& subkey, const std::string& value) -> std::optional<std::string> {
        RegistryKey key;
        if (!key.OpenKey(root, subkey, false)) return std::nullopt;
        return key.ReadString(value, "");
    };
}

int GetPlatformId() { return PlatformIdFrom(QueryOsVersion()); }

bool GetOsVersionNumbers(DWORD& major, DWORD* minor, DWORD* build)
{
    return OsVersionNumbersFrom(QueryOsVersion(), major, minor, build);
}

std::string GetOsFamilyName(unsigned options) { return OsFamilyNameFrom(QueryOsVersion(), options); }
std::string GetOsName(unsigned options) { return OsNameFrom(QueryOsVersion(), options, SystemRegistry()); }
std::string GetServicePack() { return ServicePackFrom(QueryOsVersion(), SystemRegistry()); }

bool GetDefaultBrowserInfo(BrowserInfo& info)
{
    RegistryKey document;
    if (!document.OpenKey(HKEY_CLASSES_ROOT, ".htm", false)) return false;
    const std::string documentClass = document.ReadString("", "");
    RegistryKey open;
    if (!open.OpenKey(HKEY_CLASSES_ROOT, documentClass + "\\shell\\open\\command", false)) return false;
    const std::string command = open.ReadString("", "");
    if (command.size() < 2) return false;

    VersionInfo version;
    if (!version.Load(ExecutableFromCommand(command))) return false;
    BrowserInfo found;
    if (const VS_FIXEDFILEINFO* fixed = version.GetFixedInfo()) {
        const DWORD parts[4] = {fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                fixed->dwProductVersionLS};
        for (int i = 0; i < 2; ++i) {
            found.fileVersion[2 * i] = HIWORD(parts[i]);
            found.fileVersion[2 * i + 1] = LOWORD(parts[i]);
            found.productVersion[2 * i] = HIWORD(parts[2 + i]);
            found.productVersion[2 * i + 1] = LOWORD(parts[2 + i]);
        }
    }
    found.description = version.QueryString("FileDescription");
    found.fileVersionText = version.QueryString("FileVersion");
    found.productVersionText = version.QueryString("ProductVersion");
    info = found;
    return true;
}

void CollectCaptionValues(CaptionValues& values, HINSTANCE resources)
{
    char name[16] = "";
    DWORD size = sizeof name;
    values.machineName = GetComputerNameA(name, &size) ? std::string(name, strnlen(name, sizeof name)) : "";

    const OsVersionRecord record = QueryOsVersion();
    const RegistryReader registry = SystemRegistry();
    values.osName = OsNameCaption(record, registry, LoadResourceText(IDS_UNKNOWN_OS_VERSION, resources),
                                  LoadResourceText(IDS_UNKNOWN_OS, resources));
    values.osVersion = OsVersionCaption(record, registry, LoadResourceText(IDS_OS_VERSION_FORMAT, resources));

    char language[256] = "", country[256] = "";
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, language, sizeof language)) language[0] = '\0';
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGCOUNTRY, country, sizeof country)) country[0] = '\0';
    values.locale = LocaleCaption(language, country);

    BrowserInfo browser;
    if (GetDefaultBrowserInfo(browser)) {
        values.browser = browser.description;
        values.browserVersion = browser.fileVersionText;
    }
    // A value is one line: a line break in a version resource or a computer name
    // must not forge another caption.
    for (std::string* value : {&values.machineName, &values.osName, &values.osVersion, &values.locale,
                               &values.browser, &values.browserVersion})
        *value = WithoutControlCharacters(*value);
}

std::string WithoutControlCharacters(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}
