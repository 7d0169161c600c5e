#include "sysinfo/MachineFacts.h"

#include <cstdio>

#include "captions/CustomSource.h"
#include "resources/resource.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "win/ResourceText.h"
#include "win/SystemLibrary.h"

namespace {

constexpr uint64_t MB = 1ull << 20;
constexpr uint64_t GB = 1ull << 30;
constexpr uint64_t FILETIME_TICKS_PER_MS = 10000;

std::string Narrow(const wchar_t* text)
{
    if (!text) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(size - 1));
    return narrow;
}

std::string ComputerNameOf(COMPUTER_NAME_FORMAT format)
{
    char name[256] = "";
    DWORD size = sizeof name;
    return GetComputerNameExA(format, name, &size) ? std::string(name, strnlen(name, sizeof name)) : std::string();
}

// Milliseconds since the system started, counted past the 49.7 days of the 32-bit count.
bool Uptime(uint64_t& milliseconds)
{
    using GetTickCount64Proc = ULONGLONG(WINAPI*)();
    static const auto tickCount64 = SystemLibraryFunction<GetTickCount64Proc>("kernel32.dll", "GetTickCount64");
    if (tickCount64) {
        milliseconds = tickCount64();
        return true;
    }
    // Before Vista: the system's own record of its start.
    struct TimeOfDay {
        LARGE_INTEGER bootTime, currentTime, timeZoneBias;
        ULONG timeZoneId, reserved;
        ULONGLONG bootTimeBias, sleepTimeBias;
    } timeOfDay = {};
    using QueryProc = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    constexpr int SYSTEM_TIME_OF_DAY_INFORMATION = 3;
    static const auto query = SystemLibraryFunction<QueryProc>("ntdll.dll", "NtQuerySystemInformation");
    if (!query || query(SYSTEM_TIME_OF_DAY_INFORMATION, &timeOfDay, sizeof timeOfDay, nullptr) < 0 ||
        timeOfDay.currentTime.QuadPart < timeOfDay.bootTime.QuadPart)
        return false;
    milliseconds = static_cast<uint64_t>(timeOfDay.currentTime.QuadPart - timeOfDay.bootTime.QuadPart) /
                   FILETIME_TICKS_PER_MS;
    return true;
}

WORD NativeArchitecture()
{
    using IsWow64Process2Proc = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    static const auto isWow64Process2 = SystemLibraryFunction<IsWow64Process2Proc>("kernel32.dll", "IsWow64Process2");
    USHORT process = 0, native = 0;
    // On ARM64 an x64 or x86 program is told the emulated machine by GetNativeSystemInfo.
    if (isWow64Process2 && isWow64Process2(GetCurrentProcess(), &process, &native)) {
        switch (native) {
        case IMAGE_FILE_MACHINE_AMD64: return PROCESSOR_ARCHITECTURE_AMD64;
        case IMAGE_FILE_MACHINE_I386: return PROCESSOR_ARCHITECTURE_INTEL;
        case IMAGE_FILE_MACHINE_ARM64: return PROCESSOR_ARCHITECTURE_ARM64;
        case IMAGE_FILE_MACHINE_ARMNT: return PROCESSOR_ARCHITECTURE_ARM;
        default: break;
        }
    }
    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

unsigned LogicalProcessors()
{
    using GetActiveProcessorCountProc = DWORD(WINAPI*)(WORD);
    static const auto activeCount =
        SystemLibraryFunction<GetActiveProcessorCountProc>("kernel32.dll", "GetActiveProcessorCount");
    constexpr WORD ALL_GROUPS = 0xFFFF;
    if (activeCount)
        if (const DWORD count = activeCount(ALL_GROUPS)) return count;
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

}  // namespace

std::string SizeText(uint64_t bytes)
{
    char text[32];
    if (bytes < GB)
        std::snprintf(text, sizeof text, "%llu MB", static_cast<unsigned long long>((bytes + MB / 2) / MB));
    else
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / GB);
    return text;
}

std::string MinuteText(const SYSTEMTIME& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute);
    return text;
}

std::string LocalMinuteBefore(const FILETIME& nowUtc, uint64_t milliseconds)
{
    ULARGE_INTEGER moment;
    moment.LowPart = nowUtc.dwLowDateTime;
    moment.HighPart = nowUtc.dwHighDateTime;
    if (milliseconds > moment.QuadPart / FILETIME_TICKS_PER_MS) return std::string();
    moment.QuadPart -= milliseconds * FILETIME_TICKS_PER_MS;
    const FILETIME then = {moment.LowPart, moment.HighPart};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&then, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::string();
    return MinuteText(local);
}

std::string ProcessorText(const std::string& name, unsigned count)
{
    std::string collapsed;
    for (char c : WithoutControlCharacters(name)) {
        if (c == ' ' && (collapsed.empty() || collapsed.back() == ' ')) continue;
        collapsed += c;
    }
    if (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    if (collapsed.empty() || count == 0) return collapsed;
    return collapsed + " (" + std::to_string(count) + (count == 1 ? " logical processor)" : " logical processors)");
}

std::string SystemTypeText(WORD architecture)
{
    switch (architecture) {
    case PROCESSOR_ARCHITECTURE_AMD64: return "x64";
    case PROCESSOR_ARCHITECTURE_INTEL: return "x86";
    case PROCESSOR_ARCHITECTURE_ARM64: return "ARM64";
    case PROCESSOR_ARCHITECTURE_ARM: return "ARM";
    case PROCESSOR_ARCHITECTURE_IA64: return "Itanium";
    default: return std::string();
    }
}

std::string FreeSpaceText(const std::vector<DriveSpace>& drives)
{
    std::vector<std::string> items;
    for (const DriveSpace& drive : drives)
        items.push_back(std::string(1, drive.letter) + ": " + SizeText(drive.free) + " free of " + SizeText(drive.total));
    return ShownListText(items);
}

std::string DomainText(const std::string& dnsDomain, const std::string& joinName, bool workgroup)
{
    if (!dnsDomain.empty()) return dnsDomain;
    if (joinName.empty()) return std::string();
    return workgroup ? joinName + " (workgroup)" : joinName;
}

std::string LogonServerText(const std::string& variable)
{
    const size_t start = variable.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : variable.substr(start);
}

const OsVersionRecord& MachineFacts::Os()
{
    if (!os_) os_ = QueryOsVersion();
    return *os_;
}

const std::optional<BrowserInfo>& MachineFacts::DefaultBrowser()
{
    if (!browser_) {
        BrowserInfo browser;
        browser_.emplace(GetDefaultBrowserInfo(browser) ? std::optional<BrowserInfo>(browser) : std::nullopt);
    }
    return *browser_;
}

const std::vector<AdapterRecord>& MachineFacts::Adapters()
{
    if (!adapters_) adapters_ = QueryAdapters();
    return *adapters_;
}

const FirmwareIdentity& MachineFacts::Firmware()
{
    if (!firmware_) firmware_ = QueryFirmwareIdentity();
    return *firmware_;
}

std::string MachineFacts::MachineName(MachineFacts&) { return ComputerNameOf(ComputerNameNetBIOS); }

std::string MachineFacts::OsName(MachineFacts& facts)
{
    return OsNameCaption(facts.Os(), SystemRegistry(), LoadResourceText(IDS_UNKNOWN_OS_VERSION, facts.resources_),
                         LoadResourceText(IDS_UNKNOWN_OS, facts.resources_));
}

std::string MachineFacts::OsVersion(MachineFacts& facts)
{
    return OsVersionCaption(facts.Os(), SystemRegistry(), LoadResourceText(IDS_OS_VERSION_FORMAT, facts.resources_));
}

std::string MachineFacts::Locale(MachineFacts&)
{
    char language[256] = "", country[256] = "";
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, language, sizeof language)) language[0] = '\0';
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGCOUNTRY, country, sizeof country)) country[0] = '\0';
    return LocaleCaption(language, country);
}

std::string MachineFacts::Browser(MachineFacts& facts)
{
    return facts.DefaultBrowser() ? facts.DefaultBrowser()->description : std::string();
}

std::string MachineFacts::BrowserVersion(MachineFacts& facts)
{
    return facts.DefaultBrowser() ? facts.DefaultBrowser()->fileVersionText : std::string();
}

std::string MachineFacts::IpAddresses(MachineFacts& facts) { return AddressesText(facts.Adapters()); }
std::string MachineFacts::User(MachineFacts&) { return SignedInUser(); }

std::string MachineFacts::Domain(MachineFacts&)
{
    const std::string dns = ComputerNameOf(ComputerNameDnsDomain);
    if (!dns.empty()) return dns;
    using GetJoinProc = DWORD(WINAPI*)(const wchar_t*, wchar_t**, int*);
    using FreeProc = DWORD(WINAPI*)(void*);
    static const auto getJoin = SystemLibraryFunction<GetJoinProc>("netapi32.dll", "NetGetJoinInformation");
    static const auto freeBuffer = SystemLibraryFunction<FreeProc>("netapi32.dll", "NetApiBufferFree");
    constexpr int WORKGROUP_NAME = 2, DOMAIN_NAME = 3;
    wchar_t* name = nullptr;
    int status = 0;
    if (!getJoin || !freeBuffer || getJoin(nullptr, &name, &status) != 0) return std::string();
    const std::string joined = Narrow(name);
    freeBuffer(name);
    if (status != WORKGROUP_NAME && status != DOMAIN_NAME) return std::string();
    return DomainText(std::string(), joined, status == WORKGROUP_NAME);
}

std::string MachineFacts::LogonServer(MachineFacts&)
{
    char server[256] = "";
    const DWORD length = GetEnvironmentVariableA("LOGONSERVER", server, sizeof server);
    return length > 0 && length < sizeof server ? LogonServerText(server) : std::string();
}

std::string MachineFacts::BootTime(MachineFacts&)
{
    uint64_t uptime = 0;
    if (!Uptime(uptime)) return std::string();
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return LocalMinuteBefore(now, uptime);
}

std::string MachineFacts::Processor(MachineFacts&)
{
    RegistryKey processor;
    if (!processor.OpenKey(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", false))
        return std::string();
    return ProcessorText(processor.ReadString("ProcessorNameString", ""), LogicalProcessors());
}

std::string MachineFacts::Memory(MachineFacts&)
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? SizeText(status.ullTotalPhys) : std::string();
}

std::string MachineFacts::SystemType(MachineFacts&) { return SystemTypeText(NativeArchitecture()); }

std::string MachineFacts::FreeSpace(MachineFacts&)
{
    std::vector<DriveSpace> drives;
    const DWORD present = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(present & (1u << (letter - 'A')))) continue;
        // Fixed drives only: a network or removable drive may keep the caller waiting.
        const char root[] = {letter, ':', '\\', '\0'};
        ULARGE_INTEGER free = {}, total = {};
        if (GetDriveTypeA(root) == DRIVE_FIXED && GetDiskFreeSpaceExA(root, &free, &total, nullptr))
            drives.push_back({letter, free.QuadPart, total.QuadPart});
    }
    return FreeSpaceText(drives);
}

std::string MachineFacts::MacAddresses(MachineFacts& facts) { return PhysicalAddressesText(facts.Adapters()); }
std::string MachineFacts::Gateways(MachineFacts& facts) { return GatewaysText(facts.Adapters()); }
std::string MachineFacts::DnsServers(MachineFacts& facts) { return DnsServersText(facts.Adapters()); }
std::string MachineFacts::Manufacturer(MachineFacts& facts) { return facts.Firmware().manufacturer; }
std::string MachineFacts::Model(MachineFacts& facts) { return facts.Firmware().model; }
std::string MachineFacts::SerialNumber(MachineFacts& facts) { return facts.Firmware().serialNumber; }
std::string MachineFacts::AssetTag(MachineFacts& facts) { return facts.Firmware().assetTag; }

std::string MachineFacts::Updated(MachineFacts&)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MinuteText(now);
}

CaptionValues CollectCaptionValues(const std::vector<CustomLine>& custom, HINSTANCE resources)
{
    CaptionValues values;
    MachineFacts facts(resources);
    // A value is one line: a line break in a version resource or a computer name
    // must not forge another caption.
    for (int item = 0; item < CAPTION_COUNT; ++item)
        values.item[item] = WithoutControlCharacters(CAPTION_ITEMS[item].gather(facts));
    for (const CustomLine& line : custom) values.custom.push_back(ReadCustomValue(line.source));
    return values;
}
