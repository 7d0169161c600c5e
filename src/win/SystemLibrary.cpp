#include "win/SystemLibrary.h"

#include <string>

void RestrictDllSearchToSystem()
{
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    constexpr DWORD SEARCH_SYSTEM32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (restrict && restrict(SEARCH_SYSTEM32)) return;
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name)
{
    char folder[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return nullptr;
    // A loaded module stays loaded: LoadLibrary counts references, and nothing here unloads.
    return LoadLibraryA((std::string(folder) + "\\" + name).c_str());
}
