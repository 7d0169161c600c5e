#include "sysinfo/VersionInfo.h"

#include <cstdio>
#include <cstring>

#include "win/SystemLibrary.h"

namespace {

using GetSizeProc = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetInfoProc = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryProc = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

}  // namespace

bool VersionInfo::Load(const std::string& path)
{
    static const auto getSize = SystemLibraryFunction<GetSizeProc>("version.dll", "GetFileVersionInfoSizeA");
    static const auto getInfo = SystemLibraryFunction<GetInfoProc>("version.dll", "GetFileVersionInfoA");
    if (!getSize || !getInfo) return false;
    DWORD handle = 0;
    const DWORD size = getSize(path.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> block(size);
    if (!getInfo(path.c_str(), handle, size, block.data())) return false;
    block_.swap(block);
    std::vector<uint32_t> translations;
    if (GetTranslations(translations)) translation_ = translations.front();
    return true;
}

bool VersionInfo::Query(const std::string& subBlock, const void** data, UINT* length) const
{
    static const auto query = SystemLibraryFunction<QueryProc>("version.dll", "VerQueryValueA");
    if (block_.empty() || !query) return false;
    void* pointer = nullptr;
    UINT size = 0;
    if (!query(block_.data(), subBlock.c_str(), &pointer, &size) || !pointer || !size) return false;
    // Never trust a length that would run past the block.
    const char* begin = static_cast<const char*>(pointer);
    const char* end = block_.data() + block_.size();
    if (begin < block_.data() || begin >= end) return false;
    *data = pointer;
    *length = size;
    return true;
}

bool VersionInfo::GetTranslations(std::vector<uint32_t>& translations) const
{
    const void* data = nullptr;
    UINT length = 0;
    if (!Query("\\VarFileInfo\\Translation", &data, &length) || length < 4) return false;
    const size_t available = static_cast<size_t>(block_.data() + block_.size() - static_cast<const char*>(data));
    const size_t bytes = length < available ? length : available;
    translations.assign(bytes / 4, 0);
    if (translations.empty()) return false;
    std::memcpy(translations.data(), data, translations.size() * 4);
    return true;
}

std::string VersionInfo::QueryString(const std::string& name) const
{
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\", translation_ & 0xFFFF, translation_ >> 16);
    const void* data = nullptr;
    UINT length = 0;
    if (!Query(path + name, &data, &length)) return std::string();
    const char* text = static_cast<const char*>(data);
    const size_t available = static_cast<size_t>(block_.data() + block_.size() - text);
    return std::string(text, strnlen(text, available));
}
