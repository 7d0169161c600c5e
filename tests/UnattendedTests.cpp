// The real exe's switches, run as a logon script would run them.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "TestFiles.h"

namespace {

struct ProcessRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::string ReadAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

// Starts the exe with its output in pipes and waits for it (30 s at most).
ProcessRun Start(const std::string& exe, const std::string& arguments)
{
    ProcessRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::string command = "\"" + exe + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        run.out = ReadAll(outRead);
        run.err = ReadAll(errRead);
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

// A copy of the exe under a name of its own, with a master settings file beside it.
class Unattended : public ::testing::Test {
protected:
    Unattended() { DeleteFileA(WindowsFile("MurvexE2E.INI").c_str()); }
    ~Unattended() override
    {
        DeleteFileA(WindowsFile("MurvexE2E.INI").c_str());
        DeleteFileA(WindowsFile("MurvexE2E.bmp").c_str());
    }
    void Master(const std::string& content) { WriteWholeFile(folder.File("MurvexE2E.INI"), content); }

    TempFolder folder;
    const std::string exe = CopyProgram(folder, "MurvexE2E.exe");
};

// Colour-mode-free settings that give a 22 x 22 framed wallpaper in red on green.
const char* const smallWallpaper =
    "[General]\r\nCaptions=0\r\nNotes=0\r\nLogo=0\r\nBorder=1\r\nColorSelect=2\r\n"
    "ForegroundColor=255\r\nBackgroundColor=65280\r\n";

}  // namespace

TEST_F(Unattended, SaveWritesTheWallpaperOfTheMasterSettings)
{
    Master(smallWallpaper);
    const std::string target = folder.File("out.bmp");
    const ProcessRun run = Start(exe, "/save \"" + target + "\"");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    const std::string file = ReadWholeFile(target);
    ASSERT_EQ(file.size(), 62u + 4 * 22);
    int32_t width = 0;
    std::memcpy(&width, file.data() + 18, 4);
    EXPECT_EQ(width, 22);
    EXPECT_EQ(file.substr(54, 8), std::string("\x00\x00\xff\x00\x00\xff\x00\x00", 8));
    EXPECT_EQ(run.out, "");
}

TEST_F(Unattended, LocalSettingsWinOverTheMaster)
{
    Master(smallWallpaper);
    WriteWholeFile(WindowsFile("MurvexE2E.INI"), std::string(smallWallpaper) + "Margins=20\r\n");
    const std::string target = folder.File("local.bmp");
    ASSERT_EQ(Start(exe, "-SAVE " + target).exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(target).size(), 62u + 8 * 42);  // 2 x (20 + 1) square
}

TEST_F(Unattended, RefreshWritesToTheWindowsDirectoryAndInstalls)
{
    Master(std::string(smallWallpaper) + "[Save]\r\nFilename=MurvexE2E.bmp\r\n");
    SetDesktopValue("TileWallpaper", "1");
    SetDesktopValue("WallpaperStyle", "10");  // Fill, as the user last chose
    SetDesktopValue("Wallpaper", "");
    const ProcessRun run = Start(exe, "/refresh");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(ReadWholeFile(WindowsFile("MurvexE2E.bmp")).size(), 62u + 4 * 22);
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    EXPECT_EQ(lstrcmpiA(DesktopValue("Wallpaper").c_str(), WindowsFile("MurvexE2E.bmp").c_str()), 0)
        << DesktopValue("Wallpaper");
    EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"MurvexE2E.INI", "MurvexE2E.exe"}));
}

TEST_F(Unattended, RefreshWithoutSetAsWallpaperOnlyWrites)
{
    Master(std::string(smallWallpaper) + "[Save]\r\nFilename=MurvexE2E.bmp\r\nSetAsWallpaper=0\r\n");
    SetDesktopValue("TileWallpaper", "1");
    SetDesktopValue("Wallpaper", "untouched");
    ASSERT_EQ(Start(exe, "/refresh").exitCode, 0u);
    EXPECT_TRUE(FileExists(WindowsFile("MurvexE2E.bmp")));
    EXPECT_EQ(DesktopValue("Wallpaper"), "untouched");
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    EXPECT_FALSE(FileExists(WindowsFile("MurvexE2E.INI")));  // no settings written
}

TEST_F(Unattended, RefreshRefusesAFileNameWithAFolder)
{
    Master("[Save]\r\nFilename=..\\escaped.bmp\r\n");
    const ProcessRun run = Start(exe, "/refresh");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find("not a plain file name"), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists(WindowsFile("..\\escaped.bmp")));
}

TEST_F(Unattended, InfoPrintsTheIncludedValues)
{
    Master("[Captions]\r\nOSVers=0\r\n");
    const ProcessRun run = Start(exe, "/info");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    EXPECT_EQ(run.out.rfind(std::string("System Name:\t") + name + "\r\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("OS Name:\tUnknown version of Microsoft Windows NT\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("Locale:\tEnglish (United States)\r\n"), std::string::npos);
    EXPECT_EQ(run.out.find("OS Version:"), std::string::npos);
}

TEST_F(Unattended, WrongSwitchesGiveUsage)
{
    for (const char* arguments : {"/bogus", "/save", "/info extra"}) {
        const ProcessRun run = Start(exe, arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_NE(run.err.find("Usage: Murvex32"), std::string::npos) << arguments;
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(Unattended, UnwritableTargetLeavesTheOldFile)
{
    Master(smallWallpaper);
    const std::string target = folder.File("kept.bmp");
    WriteWholeFile(target, "the old wallpaper");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<std::string> before = FolderListing(folder.Path());
    const ProcessRun run = Start(exe, "/save " + target);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find("could not write"), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(target), "the old wallpaper");
    EXPECT_EQ(FolderListing(folder.Path()), before);  // no temporary files left behind
    EXPECT_EQ(Start(exe, "/save \"" + folder.File("no folder\\x.bmp") + "\"").exitCode, 1u);
}
