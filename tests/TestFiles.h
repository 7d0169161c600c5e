#pragma once
// Temporary folders, whole files, programs run to their end, and the registry values
// tests read and set; always full paths.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/SystemPaths.h"  // IsFile

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderListing(const std::string& folder);
std::wstring Wide(const std::string& text);
// A file in the Windows directory, and one built beside the test executable.
std::string WindowsFile(const std::string& name);
std::string BesideTest(const std::string& name);
// Murvex32.exe copied into folder as `name`, so that its settings files are the test's own.
std::string CopyProgram(const TempFolder& folder, const std::string& name);

// Starts a command line. Wine now and then refuses a start (about one in a thousand):
// it is tried up to three times, and a retry is said on stdout. False if it never started.
bool StartProcess(std::wstring command, PROCESS_INFORMATION& process, STARTUPINFOW* startup = nullptr);

struct ProcessRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;
};
// Runs a program to its end with its output in files, calling `meanwhile` once it has
// started; a minute at most (the largest wallpaper is 512 MiB), then it is ended and its
// exit code is 0xFFFFFFFF. Standard output is opened with `outputAccess` (GENERIC_READ:
// every write to it fails).
ProcessRun RunProgram(std::wstring command, const std::function<void()>& meanwhile = {},
                      DWORD outputAccess = GENERIC_WRITE);
ProcessRun RunProgram(const std::string& exe, const std::string& arguments, const std::function<void()>& meanwhile = {});

// A text value, its key made when missing; values under HKCU\Control Panel\Desktop
// ("<none>" when missing).
void SetRegistryText(HKEY root, const std::string& subkey, const char* name, const std::string& value);
std::string DesktopValue(const char* name);
