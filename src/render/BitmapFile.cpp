#include "render/BitmapFile.h"

#include <cstring>

#include "win/Handles.h"

namespace {

// How long a target that another writer holds is waited for: two logons refreshing
// one wallpaper at once each find it in use for a moment.
constexpr DWORD BUSY_WAIT_MS = 2000;
constexpr DWORD BUSY_STEP_MS = 50;

bool Busy(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED; }

// Runs attempt until it succeeds, fails for another reason than a busy file, or the wait is over.
template <typename Attempt>
bool RetryWhileBusy(Attempt attempt)
{
    for (DWORD waited = 0;; waited += BUSY_STEP_MS) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (!Busy(error) || waited >= BUSY_WAIT_MS) {
            SetLastError(error);
            return false;
        }
        Sleep(BUSY_STEP_MS);
    }
}

bool WriteAll(HANDLE file, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > (1u << 26) ? (1u << 26) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written != chunk) return false;
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

}  // namespace

std::wstring FullWritePath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring();
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::wstring();
    full.resize(length);
    if (full.size() + 16 < MAX_PATH || full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

namespace {

// The target must be replaceable: not read-only and not held open by anyone.
bool TargetReplaceable(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError((attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_DIRECTORY : ERROR_FILE_READ_ONLY);
        return false;
    }
    FileHandle probe(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(probe);
}

// A new, empty file beside the target whose name is short enough to fit wherever
// the target's name fits ("~" and four hex digits).
FileHandle CreateTemporaryFile(const std::wstring& target, std::wstring& name)
{
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 8);
    for (DWORD attempt = 0; attempt < 0x10000; ++attempt) {
        wchar_t suffix[8];
        swprintf(suffix, 8, L"~%04X", (seed + attempt * 7919) & 0xFFFF);
        name = folder + suffix;
        FileHandle file(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return FileHandle();
}

bool WriteContent(FileHandle file, const std::vector<FilePart>& parts)
{
    bool written = true;
    for (const FilePart& part : parts) written = written && WriteAll(file.Get(), part.data, part.size);
    written = written && FlushFileBuffers(file.Get());
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file.Release());
    if (!written) SetLastError(error);
    return closed && written;
}

}  // namespace

bool WriteFileSafely(const std::wstring& path, const std::vector<FilePart>& parts)
{
    const std::wstring target = FullWritePath(path);
    if (target.empty()) return false;
    // The temporary file first: a folder this user may not write refuses at once (a
    // standard user's Windows directory), where a target held by another is waited for.
    std::wstring temporary;
    FileHandle file = CreateTemporaryFile(target, temporary);
    if (!file) return false;
    if (RetryWhileBusy([&] { return TargetReplaceable(target); }) && WriteContent(std::move(file), parts) &&
        RetryWhileBusy([&] {
            return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        }))
        return true;
    const DWORD error = GetLastError();  // the caller reports why, not the clean-up's outcome
    file.Reset();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
}

bool WriteBitmapFile(const std::wstring& path, const MonoBitmapInfo& info, const void* pixels)
{
    if (!pixels) return false;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof fileHeader + sizeof info);
    fileHeader.bfSize = fileHeader.bfOffBits + info.header.biSizeImage;
    return WriteFileSafely(path, {{&fileHeader, sizeof fileHeader}, {&info, sizeof info}, {pixels, info.header.biSizeImage}});
}

namespace {

// A path in the ANSI code page as Windows' wide functions take it; empty when it has none.
std::wstring WidePath(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const std::vector<FilePart>& parts)
{
    return WriteFileSafely(WidePath(path), parts);
}

bool WriteBitmapFile(const std::string& path, const MonoBitmapInfo& info, const void* pixels)
{
    return WriteBitmapFile(WidePath(path), info, pixels);
}
