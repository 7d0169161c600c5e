#include "sysinfo/SystemInfo.h"

#include "sysinfo/RegistryKey.h"
#include "win/SystemLibrary.h"

namespace {

// What RtlGetVersion says, looked up at run time: GetVersionEx reports only what the
// manifest declares, and a compatibility shim can make it lie.
void AddTrueVersion(OsVersionRecord& record)
{
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto rtlGetVersion = SystemLibraryFunction<RtlGetVersionProc>("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOEXW truth = {};
    truth.dwOSVersionInfoSize = sizeof truth;
    if (rtlGetVersion && rtlGetVersion(&truth) == 0) {
        record.major = truth.dwMajorVersion;
        record.minor = truth.dwMinorVersion;
        record.build = truth.dwBuildNumber;
        char csd[256] = "";
        if (WideCharToMultiByte(CP_ACP, 0, truth.szCSDVersion, -1, csd, sizeof csd, nullptr, nullptr) > 0)
            record.csdVersion = csd;
        if (record.extendedValid) {
            record.suiteMask = truth.wSuiteMask;
            record.productType = truth.wProductType;
        }
    }
    if (record.major < 6) return;
    using GetProductInfoProc = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
    const auto getProductInfo = SystemLibraryFunction<GetProductInfoProc>("kernel32.dll", "GetProductInfo");
    DWORD product = 0;
    // From Windows 10 on the documentation asks for 6.3 here.
    const bool ten = record.major >= 10;
    if (getProductInfo && getProductInfo(ten ? 6 : record.major, ten ? 3 : record.minor, 0, 0, &product))
        record.product = product;
    if (!ten) return;
    RegistryKey current;
    if (!current.OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false, KEY_WOW64_64KEY))
        return;
    record.hasUpdateRevision = current.ReadDword("UBR", record.updateRevision);
    record.displayVersion = current.ReadString("DisplayVersion", "");
}

}  // namespace

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
        AddTrueVersion(record);
    }
    return record;
}


std::string WithoutControlCharacters(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}
