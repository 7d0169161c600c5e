#include "TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sysinfo/RegistryKey.h"

TempFolder::TempFolder()
{
    static unsigned counter = 0;
    const std::string name = "murvex-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    path_ = (std::filesystem::temp_directory_path() / name).string();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);  // left by a run that was ended
    std::filesystem::create_directory(path_, ignored);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::vector<std::string> FolderListing(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool StartProcess(std::wstring command, PROCESS_INFORMATION& process, STARTUPINFOW* startup)
{
    STARTUPINFOW plain = {};
    plain.cb = sizeof plain;
    const BOOL inherit = startup != nullptr;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, inherit, 0, nullptr, nullptr,
                           startup ? startup : &plain, &process)) {
            if (attempt > 0)
                std::printf("note: Wine refused a process start (error %lu); attempt %d started it\n",
                            static_cast<unsigned long>(error), attempt + 1);
            return true;
        }
        error = GetLastError();
        Sleep(100);
    }
    return false;
}

ProcessRun RunProgram(std::wstring command, const std::function<void()>& meanwhile, DWORD outputAccess)
{
    TempFolder outputs;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    auto output = [&](const char* name, DWORD access) {
        return CreateFileA(outputs.File(name).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           CREATE_ALWAYS, 0, nullptr);
    };
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output("out", outputAccess);
    startup.hStdError = output("err", GENERIC_WRITE);
    PROCESS_INFORMATION process = {};
    ProcessRun run;
    const bool started = StartProcess(std::move(command), process, &startup);
    const DWORD error = GetLastError();
    if (started) {
        if (meanwhile) meanwhile();
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        } else {  // out of time: ended here, not left running into the next test
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    run.out = ReadWholeFile(outputs.File("out"));
    run.err = ReadWholeFile(outputs.File("err")) + (started ? "" : "<not started: error " + std::to_string(error) + ">");
    return run;
}

ProcessRun RunProgram(const std::string& exe, const std::string& arguments, const std::function<void()>& meanwhile)
{
    return RunProgram(Wide("\"" + exe + "\" " + arguments), meanwhile);
}

std::string WindowsFile(const std::string& name)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

std::string BesideTest(const std::string& name)
{
    char path[MAX_PATH];
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

std::string CopyProgram(const TempFolder& folder, const std::string& name)
{
    const std::string copy = folder.File(name);
    CopyFileA(BesideTest("Murvex32.exe").c_str(), copy.c_str(), FALSE);
    return copy;
}

void SetRegistryText(HKEY root, const std::string& subkey, const char* name, const std::string& value)
{
    RegSetKeyValueA(root, subkey.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

std::string DesktopValue(const char* name)
{
    RegistryKey desktop;
    desktop.OpenKey(HKEY_CURRENT_USER, "Control Panel\\Desktop", false);
    return desktop.ReadString(name, "<none>");
}
