#pragma once
// DLLs come from the system folder only: Murvex runs from shares and download
// folders, where a DLL planted beside the executable must never be loaded.

#include <windows.h>

// Later loads search the system folder only (SetDefaultDllDirectories where the
// system has it; elsewhere the current folder at least leaves the search). Called
// first thing.
void RestrictDllSearchToSystem();

// A DLL of the system folder by its full path, loaded once and kept for the
// process; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// A function of a system DLL, or null.
template <typename Function>
Function SystemLibraryFunction(const char* library, const char* name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}
