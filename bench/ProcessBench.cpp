// Whole processes, each beside its floor: the window from process start until it
// waits for input, beside the bare main dialog template; /refresh from process start
// to exit, beside a process that loads the same system DLLs.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace {

constexpr int RUNS = 15;

std::string BesideThisProgram(const std::string& name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// Milliseconds from CreateProcess until the process waits for input (a window) or
// has ended; -1 when it did not start or took longer than 20 s.
double TimeProcess(const std::string& exe, const std::string& arguments, bool untilIdle)
{
    std::string command = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const DWORD waited = untilIdle ? WaitForInputIdle(process.hProcess, 20000)
                                   : WaitForSingleObject(process.hProcess, 20000);
    const double elapsed = Now() - start;
    if (untilIdle) TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == 0 ? elapsed : -1;
}

// The first program's median time beside the second's (its floor), run interleaved so
// that both see the same machine.
void ReportPair(const char* name, const std::string& exe, const std::string& arguments, const std::string& floorArguments,
                bool untilIdle, const std::string& floorProgram = BesideThisProgram("murvex-floor.exe"))
{
    std::vector<double> times, floors;
    for (int run = 0; run < RUNS; ++run) {
        floors.push_back(TimeProcess(floorProgram, floorArguments, untilIdle));
        times.push_back(TimeProcess(exe, arguments, untilIdle));
    }
    std::sort(times.begin(), times.end());
    std::sort(floors.begin(), floors.end());
    const double time = times[times.size() / 2], floor = floors[floors.size() / 2];
    const std::string base = name;
    PrintMedian(base.c_str(), {time});
    PrintMedian((base + "_floor").c_str(), {floor});
    std::printf("%-34s %10.2f x\n", (base + "_ratio").c_str(), time / floor);
}

}  // namespace

void RunProcessBenchmarks()
{
    // A copy of the program, so that its settings files are the benchmark's own:
    // the defaults, and a wallpaper that is only written (not installed).
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "murvex-bench-process\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "MurvexBench.exe";
    CopyFileA(BesideThisProgram("Murvex32.exe").c_str(), exe.c_str(), FALSE);
    WritePrivateProfileStringA("Save", "SetAsWallpaper", "0", (folder + "MurvexBench.INI").c_str());
    ReportPair("l_window_start_to_input_idle", exe, "", "window", true);
    ReportPair("m_refresh_process", exe, "/refresh", "dlls", false);

    // Every caption line ticked, and two of the administrator's own, beside the eight lines
    // of old: the window and /refresh, each against the same with the eight.
    const std::string everyExe = folder + "MurvexEvery.exe", eightExe = folder + "MurvexEight.exe";
    CopyFileA(exe.c_str(), everyExe.c_str(), FALSE);
    CopyFileA(exe.c_str(), eightExe.c_str(), FALSE);
    const std::string every = folder + "MurvexEvery.INI", eight = folder + "MurvexEight.INI";
    for (const std::string* file : {&every, &eight}) {
        WritePrivateProfileStringA("Save", "SetAsWallpaper", "0", file->c_str());
        WritePrivateProfileStringA("Save", "Filename", file == &every ? "MurvexEvery.bmp" : "MurvexEight.bmp", file->c_str());
        WritePrivateProfileStringA("Captions", "IPAddress", "1", file->c_str());
        WritePrivateProfileStringA("Captions", "User", "1", file->c_str());
    }
    for (const char* key : {"Domain", "LogonServer", "BootTime", "CPU", "Memory", "SystemType", "FreeSpace", "MACAddress",
                            "Gateway", "DNSServer", "Manufacturer", "Model", "SerialNumber", "AssetTag", "Updated"})
        WritePrivateProfileStringA("Captions", key, "1", every.c_str());
    WritePrivateProfileStringA("Custom", "Label1", "Product:", every.c_str());
    WritePrivateProfileStringA("Custom", "Source1", "registry:HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductName", every.c_str());
    WritePrivateProfileStringA("Custom", "Label2", "Shell:", every.c_str());
    WritePrivateProfileStringA("Custom", "Source2", "version:%SystemRoot%\\explorer.exe", every.c_str());
    ReportPair("n_window_every_line_beside_eight", everyExe, "", "", true, eightExe);
    ReportPair("o_refresh_every_line_beside_eight", everyExe, "/refresh", "/refresh", false, eightExe);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA((std::string(windows) + "\\Orvalin.bmp").c_str());
    for (const char* name : {"MurvexBench.INI", "MurvexBench.exe", "MurvexEvery.INI", "MurvexEvery.exe", "MurvexEight.INI",
                             "MurvexEight.exe"})
        DeleteFileA((folder + name).c_str());
    const std::string user = std::string(std::getenv("LOCALAPPDATA") ? std::getenv("LOCALAPPDATA") : "") + "\\Murvex\\";
    for (const char* name : {"MurvexEvery.bmp", "MurvexEight.bmp"}) DeleteFileA((user + name).c_str());
    RemoveDirectoryA(folder.c_str());
}
