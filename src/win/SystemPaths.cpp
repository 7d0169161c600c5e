#include "win/SystemPaths.h"

#include <shlobj.h>

#include <utility>
#include <vector>

#include "win/Handles.h"

std::string WindowsDirectory()
{
    char folder[MAX_PATH + 1] = "";
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    std::string path(folder);
    if (path.back() != '\\') path += '\\';
    return path;
}

std::string MurvexFolderIn(int csidl)
{
    char folder[MAX_PATH] = "";
    if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK || !folder[0]) return std::string();
    std::string path(folder);
    if (path.back() != '\\') path += '\\';
    return path + "Murvex\\";
}

std::string UserFolder() { return MurvexFolderIn(CSIDL_LOCAL_APPDATA); }

bool IsFile(const std::string& path)
{
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& folder)
{
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    SetLastError(error);
    return false;
}

bool FolderWritable(const std::string& folder)
{
    const std::string probe = folder + "~murvex-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file || GetLastError() == ERROR_FILE_EXISTS;
}

std::string WallpaperFolder(bool perUser)
{
    const std::string windows = WindowsDirectory();
    if (!perUser && !windows.empty() && FolderWritable(windows)) return windows;
    const std::string user = UserFolder();
    if (!user.empty() && MakeFolder(user)) return user;
    return perUser ? std::string() : windows;
}

std::string ExecutablePath()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string WithoutExtension(const std::string& name) { return name.substr(0, name.find_last_of('.')); }

namespace {

template <typename Text>
Text TrimmedName(const Text& path, const Text& extension)
{
    const size_t start = path.find_last_of(Text(1, '\\') + Text(1, '/'));
    const size_t name = start == Text::npos ? 0 : start + 1;
    size_t end = path.size();
    while (end > name && (path[end - 1] == '.' || path[end - 1] == ' ')) --end;
    if (end == path.size() || end == name) return path;  // nothing dropped, or nothing left
    Text trimmed = path.substr(0, end);
    if (trimmed.find('.', name) == Text::npos) trimmed += Text(1, '.') + extension;
    return trimmed;
}

}  // namespace

std::string WithoutTrailingDots(const std::string& path, const std::string& extension)
{
    return TrimmedName(path, extension);
}

std::wstring WithoutTrailingDots(const std::wstring& path, const std::wstring& extension)
{
    return TrimmedName(path, extension);
}

bool IsReservedDeviceName(const std::string& name)
{
    // The part before the first dot, without the blanks Windows ignores after it.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (lstrcmpiA(base.c_str(), device) == 0) return true;
    return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
           (_strnicmp(base.c_str(), "COM", 3) == 0 || _strnicmp(base.c_str(), "LPT", 3) == 0);
}

std::string SystemErrorText(DWORD error)
{
    char* allocated = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&allocated), 0, nullptr);
    const LocalMemory<char*> buffer(allocated);
    std::string text = length && buffer ? std::string(buffer.Get(), length) : std::string();
    if (text.empty()) {
        static const std::pair<DWORD, const char*> common[] = {
            {ERROR_FILE_NOT_FOUND, "The file was not found."},
            {ERROR_PATH_NOT_FOUND, "The folder was not found."},
            {ERROR_ACCESS_DENIED, "Access is denied."},
            {ERROR_WRITE_PROTECT, "The disk is write-protected."},
            {ERROR_SHARING_VIOLATION, "Another program is using the file."},
            {ERROR_HANDLE_DISK_FULL, "The disk is full."},
            {ERROR_DISK_FULL, "The disk is full."},
            {ERROR_FILE_READ_ONLY, "The file is read-only."},
        };
        text = "Windows gives no reason for this failure (error " + std::to_string(error) + ").";
        for (const auto& [code, words] : common)
            if (code == error) text = words;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}
