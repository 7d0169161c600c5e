// The real exe's switches, run as a logon script would run them.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <set>
#include <sstream>
#include <utility>

#include "WindowTestSupport.h"
#include "TestFiles.h"
#include "app/Unattended.h"
#include "captions/CaptionItems.h"
#include "captions/CustomSource.h"
#include "sysinfo/MachineFacts.h"
#include "settings/ProfileCodec.h"
#include "settings/SettingsStore.h"
#include "settings/WallpaperSettings.h"
#include "sysinfo/NetworkIdentity.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/VersionInfo.h"
#include "win/Placement.h"
#include "win/SystemLibrary.h"
#include "win/SystemPaths.h"

namespace {

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

// The value /info prints after `label`; "<none>" when it prints none.
std::string InfoLine(const std::string& info, const std::string& label)
{
    const size_t start = info.find(label + "\t");
    if (start == std::string::npos) return "<none>";
    const size_t value = start + label.size() + 1;
    return info.substr(value, info.find("\r\n", value) - value);
}

// The size of a complete one-bit BMP file (headers, palette, every row, nothing after
// the last); 0 x 0 when it is not one.
SIZE ReadPicture(const std::string& path)
{
    const std::string file = ReadWholeFile(path);
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    if (file.size() < 62 || file.compare(0, 2, "BM") != 0) return {};
    std::memcpy(&head, file.data(), sizeof head);
    std::memcpy(&info, file.data() + sizeof head, sizeof info);
    if (info.biBitCount != 1 || info.biWidth <= 0 || info.biHeight <= 0 || head.bfOffBits != 62) return {};
    const size_t size = 62 + (static_cast<size_t>(info.biWidth) + 31) / 32 * 4 * static_cast<size_t>(info.biHeight);
    if (file.size() != size || head.bfSize != size) return {};
    return {info.biWidth, info.biHeight};
}

// Murvex's logon entry under `root`; "<none>" when there is none.
std::string RunEntry(HKEY root)
{
    RegistryKey run;
    if (!run.OpenKey(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false)) return "<none>";
    return run.ReadString("Murvex", "<none>");
}

// A settings file of the kind a careless or hostile administrator could leave on a
// share: every key, with values out of range, malformed, huge, or full of control bytes.
std::string HostileSettingsFile(std::mt19937& random)
{
    auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    auto pick = [&](const std::vector<std::string>& choices) { return choices[below(choices.size())]; };
    auto bytes = [&](size_t length) {
        std::string made(length, '\0');
        for (char& c : made) c = static_cast<char>(random());
        return made;
    };
    auto number = [&] {
        if (below(2))
            return pick({"0", "1", "-1", "2", "7", "100", "101", "54000", "70000", "2147483647", "-2147483648",
                         "4294967295", "99999999999", "abc", "", " 12 ", "0x10", "1e9", "%00"});
        return std::to_string(static_cast<int32_t>(random()) % (below(2) ? 200 : 100000));
    };
    auto text = [&] {  // one line, sometimes a long one
        std::string line;
        for (size_t length = below(4) ? below(80) : below(6000); line.size() < length;)
            line += below(3) ? pick({"%", "%0", "%0d%0a", "%1b", "%09", "%ZZ", "\t", "Name:\t", "word ", "x", "[", "]",
                                     "=", ";", "\"", "%25"})
                             : bytes(1);
        std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
        return line;
    };
    auto block = [&](size_t usual) {
        const size_t kind = below(5), length = kind == 2 ? usual + below(9) : usual;
        if (kind == 0) return text();                                                              // not hex at all
        if (kind < 3) return EncodeBlock(bytes(length).data(), length).substr(0, kind == 1 ? below(2 * usual + 1) : std::string::npos);
        LOGFONTA font = {};  // a font, usable or not
        const LONG heights[] = {-13, -2184, -2185, -30000, 30000, 0, INT32_MIN}, weights[] = {400, 700, 5000, -1};
        font.lfHeight = heights[below(7)];
        font.lfWidth = below(3) ? 0 : 2184;  // the widest glyphs accepted: too wide a wallpaper, refused
        font.lfWeight = weights[below(4)];
        pick({"Arial", "", "Ar\x01ial", "Courier New", bytes(40)}).copy(font.lfFaceName, LF_FACESIZE);
        return EncodeBlock(&font, sizeof font);
    };
    auto gridArray = [&] {
        // Now and then sizes up to the largest side: each such wallpaper takes seconds to make.
        const size_t largest = below(30) ? 4000 : 65536;
        std::vector<uint32_t> sizes(below(4) ? below(30) : below(20000));
        for (uint32_t& size : sizes)
            size = static_cast<uint32_t>(below(5) ? below(3000) : below(largest)) << 16 |
                   static_cast<uint32_t>(below(5) ? below(4000) : below(largest));
        std::string encoded = EncodeBlock(sizes.data(), sizes.size() * 4);
        if (!below(6)) encoded.resize(encoded.size() - std::min<size_t>(encoded.size(), below(7)));  // a size cut short
        return encoded;
    };
    auto order = [&] {  // lines named well and badly, some twice, some that do not exist
        std::string names;
        for (size_t n = below(3) ? below(40) : below(3000); n > 0; --n)
            names += pick({"Machine", "User", "CPU", "Updated", "Custom1", "custom16", "Custom17", "Custom0", "Bogus", ""}) +
                     (below(9) ? "," : ",,");
        return names;
    };
    auto source = [&] {  // what an administrator's own line reads, or would run
        return pick({"registry:HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductName", "registry:HKCU\\" + text(),
                     "registry:HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\\Path", "registry:HKLM",
                     "env:PATH", "env:" + text(), "env:=C:", "version:%SystemRoot%\\system32\\kernel32.dll", "version:\\\\.\\nul",
                     "version:" + text(), "text:" + text(), "cmd:/c echo x", "powershell:Get-Date", "", text()});
    };
    // Every key, each with its kind of value: number, text, font, colours, grid, file name,
    // line order or source.
    std::string captions = "Order=o", custom;
    for (const CaptionItemInfo& item : CAPTION_ITEMS) captions += std::string(" ") + item.key + "=n";
    for (int line = 1; line <= 17; ++line) {  // one more than a file may have
        const std::string n = std::to_string(line);
        custom += "Label" + n + "=t Source" + n + "=u Show" + n + "=n ";
    }
    const std::pair<const char*, std::string> sections[] = {
        {"Save", "Filename=s SaveSettings=n SetAsWallpaper=n"},
        {"General", "Captions=n Notes=n Grid=n Logo=n Border=n Margins=n Position=n Font=f FontDpi=n ColorSelect=n ForegroundColor=n "
                    "BackgroundColor=n CustomColors=c"},
        {"Captions", captions}, {"Custom", custom}, {"Notes", "Notes=t"}, {"Grid", "LineSize=n TaskBar=n RightToLeft=n GridArray=g"}};
    std::string file;
    for (const auto& [section, keys] : sections) {
        std::istringstream list(keys);
        for (std::string key, header = std::string("[") + section + "]\r\n"; list >> key;) {
            if (!below(3)) continue;
            const char kind = key.back();
            key.pop_back();
            file += std::exchange(header, "") + key +
                    (kind == 'n'   ? number()
                     : kind == 't' ? text()
                     : kind == 'f' ? block(60)
                     : kind == 'c' ? block(64)
                     : kind == 'g' ? gridArray()
                     : kind == 'o' ? order()
                     : kind == 'u' ? source()
                                   : pick({"wall.bmp", "WALL.BMP", "win.ini", "..\\x.bmp", "C:\\x.bmp", "nul.bmp",
                                           "x%0d%0a.bmp", "%1b.bmp", "a:b.bmp", "", "x.bmp.", "con .bmp", text()})) +
                    "\r\n";
        }
    }
    return file;
}

}  // namespace

TEST_F(Unattended, SaveAndRefreshWriteTheWallpaperOfTheSettings)
{
    // The master file's wallpaper: 22 x 22, red on green.
    Master(std::string(smallWallpaper) + "[Save]\r\nFilename=MurvexE2E.bmp\r\n");
    const std::string target = folder.File("out.bmp");
    ProcessRun run = RunProgram(exe, "/save \"" + folder.File("out.") + "\"");  // the dot Windows drops: out.bmp
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    const std::string file = ReadWholeFile(target);
    ASSERT_EQ(file.size(), 62u + 4 * 22);
    EXPECT_EQ(file.substr(54, 8), std::string("\x00\x00\xff\x00\x00\xff\x00\x00", 8));
    EXPECT_EQ(run.out + run.err, "");

    // /refresh: into the Windows directory, shown once at its own size, nothing else written.
    const std::string desktop = "Control Panel\\Desktop";
    SetRegistryText(HKEY_CURRENT_USER, desktop, "TileWallpaper", "1");
    SetRegistryText(HKEY_CURRENT_USER, desktop, "WallpaperStyle", "10");  // Fill, as the user last chose
    SetRegistryText(HKEY_CURRENT_USER, desktop, "Wallpaper", "");
    run = RunProgram(exe, "/refresh");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(ReadWholeFile(WindowsFile("MurvexE2E.bmp")).size(), 62u + 4 * 22);
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    EXPECT_EQ(lstrcmpiA(DesktopValue("Wallpaper").c_str(), WindowsFile("MurvexE2E.bmp").c_str()), 0);
    EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"MurvexE2E.INI", "MurvexE2E.exe", "out.bmp"}));

    // Without SetAsWallpaper the desktop is left alone. Two logons at once on one server
    // find the wallpaper in use for a moment: the refresh waits for it.
    Master(std::string(smallWallpaper) + "[Save]\r\nFilename=MurvexE2E.bmp\r\nSetAsWallpaper=0\r\n");
    SetRegistryText(HKEY_CURRENT_USER, desktop, "Wallpaper", "untouched");
    WriteWholeFile(WindowsFile("MurvexE2E.bmp"), "the other logon's");
    HANDLE holder = CreateFileA(WindowsFile("MurvexE2E.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    run = RunProgram(exe, "/refresh", [&] {
        Sleep(700);
        CloseHandle(holder);
    });
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(ReadPicture(WindowsFile("MurvexE2E.bmp")).cx, 22);
    EXPECT_EQ(DesktopValue("Wallpaper"), "untouched");

    // A name in a hostile master file: refused in one line, its control bytes shown as codes.
    Master("[Save]\r\nFilename=..\\x%0d%0aSystem Name:%1b.ini\r\n");
    run = RunProgram(exe, "/refresh");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, "Murvex32: the wallpaper file name in the settings is not a plain name ending in .bmp: "
                       "..\\x%0D%0ASystem Name:%1B.ini\r\n");
}

namespace {

// A master settings file's wallpaper written in process, by the steps /save takes.
RunOutcome SaveInProcess(const std::string& settingsText, const std::string& target)
{
    static const CaptionValues found = CollectCaptionValues({});
    const TempFolder folder;
    WriteWholeFile(folder.File("master.INI"), settingsText);
    WallpaperSettings settings;
    LoadStartupSettings(settings, {"", folder.File("master.INI"), ""});
    CaptionValues values = found;
    for (const CustomLine& line : settings.captions.custom) values.custom.push_back(ReadCustomValue(line.source));
    settings.grid.sizes.PopulateScreenSizes(PackedMonitorSizes());
    DeleteFileA(target.c_str());
    return WriteWallpaperOf(settings, values, target);
}

}  // namespace

TEST_F(Unattended, WrongSwitchesAndSaveTargets)
{
    for (const char* arguments : {"/bogus", "/save", "/info extra"}) {
        const ProcessRun run = RunProgram(exe, arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_NE(run.err.find("Usage: Murvex32"), std::string::npos) << arguments;
    }
    Master(smallWallpaper);
    const std::string target = folder.File("kept.bmp");
    WriteWholeFile(target, "the old wallpaper");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<std::string> before = FolderListing(folder.Path());
    for (const std::string name : {"NUL.bmp", "con", "Lpt1.x.bmp"}) {
        const ProcessRun run = RunProgram(exe, "/save \"" + folder.File(name) + "\"");
        EXPECT_EQ(run.exitCode, 1u) << name;
        EXPECT_EQ(run.err, "Murvex32: " + name + " is a name Windows keeps for a device; choose another file name\r\n");
    }
    // Read-only, and a folder that is not there: the reason in words.
    for (const auto& [path, reason] : {std::pair{target, "The file is read-only."},
                                       {folder.File("no folder\\x.bmp"), "not found."}}) {
        const ProcessRun run = RunProgram(exe, "/save \"" + path + "\"");
        EXPECT_EQ(run.exitCode, 1u);
        EXPECT_EQ(run.err.rfind("Murvex32: could not write " + path + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadWholeFile(target), "the old wallpaper");
    EXPECT_EQ(FolderListing(folder.Path()), before);  // no temporary files left behind
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go

    // A target a user can type: a name outside the ANSI code page.
    const std::wstring named = Wide(folder.Path()) + L"\\\x58C1\x7D19 \x0159.bmp";
    EXPECT_EQ(RunProgram(L"\"" + Wide(exe) + L"\" /save \"" + named + L"\"").exitCode, 0u);
    EXPECT_TRUE(DeleteFileW(named.c_str()));  // there, and gone so that the folder can go
}

// Generated hostile master files end in a complete one-bit wallpaper or in a refusal with
// its reason, by the steps /save takes. The same files every run (a fixed seed);
// scripts/fuzz.sh sets MURVEX_FUZZ_SEED and _COUNT for new ones, MURVEX_FUZZ_FROM reruns
// from a failed file.
TEST(HostileSettings, GeneratedFilesEndInAWallpaperOrAReason)
{
    const char* seedText = std::getenv("MURVEX_FUZZ_SEED");
    const char* countText = std::getenv("MURVEX_FUZZ_COUNT");
    const char* fromText = std::getenv("MURVEX_FUZZ_FROM");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 10;
    const int count = countText ? std::atoi(countText) : 200, from = fromText ? std::atoi(fromText) : 0;
    std::printf("hostile settings: seed %u, %d files\n", seed, count);
    std::mt19937 random(seed);
    int written = 0, refused = 0;
    long long largestSide = 0;
    const TempFolder folder;
    const std::string target = folder.File("fuzz.bmp");
    for (int i = 0; i < count && !HasFailure(); ++i) {
        const std::string settings = HostileSettingsFile(random);
        if (i < from) continue;
        const std::string rerun = "MURVEX_FUZZ_SEED=" + std::to_string(seed) + " MURVEX_FUZZ_FROM=" + std::to_string(i);
        if (seedText) std::printf("%s\n", rerun.c_str());  // a crash ends the run: the last line names the file
        SCOPED_TRACE(rerun + ":\n" + settings.substr(0, 400));
        const RunOutcome run = SaveInProcess(settings, target);
        const bool done = run.exitCode == EXIT_DONE;
        const SIZE picture = ReadPicture(target);
        ++(done ? written : refused);
        largestSide = std::max<long long>({largestSide, picture.cx, picture.cy});
        EXPECT_TRUE(done ? picture.cx > 0 && run.error.empty()
                         : run.exitCode == EXIT_NOT_WRITTEN && !run.error.empty() && !IsFile(target))
            << run.error;
    }
    std::printf("hostile settings: %d written, %d refused, largest side %lld\n", written, refused, largestSide);
    // What the fixed files are chosen to reach; a changed generator needs a new seed.
    if (!seedText && !countText && !fromText) {
        EXPECT_TRUE(written > 0 && refused > 0 && largestSide > 30000);
    }
}

// The values as a logon script reads them: the Wine prefix's Windows 7, the browser the
// user chose (its open command in the user's own classes) named by its file, and the
// machine as Linux knows it.
TEST_F(Unattended, InfoNamesTheSystemItRunsOn)
{
    Master("[Captions]\r\nLocale=0\r\n");
    const time_t before = time(nullptr);
    char machine[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof machine;
    GetComputerNameA(machine, &size);
    const std::string choice = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https";
    const std::string browser = "Software\\Classes\\MurvexTest.Choice";
    SetRegistryText(HKEY_CURRENT_USER, choice + "\\UserChoice", "ProgId", "MurvexTest.Choice");
    SetRegistryText(HKEY_CURRENT_USER, browser + "\\shell\\open\\command", "",
                    "\"" + BesideTest("browser_fixture.exe") + "\" -- \"%1\"");
    const ProcessRun run = RunProgram(exe, "/info");
    RegDeleteTreeA(HKEY_CURRENT_USER, choice.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, browser.c_str());
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out.rfind(std::string("System Name:\t") + machine + "\r\n", 0), 0u);
    EXPECT_EQ(InfoLine(run.out, "OS Name:"), "Microsoft Windows 7 Ultimate N");
    EXPECT_EQ(InfoLine(run.out, "OS Version:"), "Version 6.1 (Build 7601: Service Pack 1)");
    EXPECT_EQ(InfoLine(run.out, "Locale:"), "<none>");  // switched off
    EXPECT_EQ(InfoLine(run.out, "Browser:"), "Fixture Browser");
    EXPECT_EQ(InfoLine(run.out, "Browser Version:"), "7.1.2.3");

    // The user, printed ticked or not: the user Wine runs as.
    char user[256] = "", domain[256] = "";
    GetEnvironmentVariableA("USERNAME", user, sizeof user);
    GetEnvironmentVariableA("USERDOMAIN", domain, sizeof domain);
    EXPECT_EQ(lstrcmpiA(InfoLine(run.out, "User:").c_str(), (std::string(domain) + "\\" + user).c_str()), 0)
        << InfoLine(run.out, "User:");

    // Output that cannot be written is a failure, said on standard error.
    const ProcessRun unwritable = RunProgram(Wide("\"" + exe + "\" /info"), {}, GENERIC_READ);
    EXPECT_EQ(unwritable.exitCode, 1u);
    EXPECT_EQ(unwritable.err.rfind("Murvex32: could not write the values: ", 0), 0u) << unwritable.err;

    // Every other value, against what Linux knows of the host (read by the test harness
    // from the kernel's files; Wine's processors, memory, adapters and drive C: are the
    // host's). The firmware's records are empty in a virtual machine without them.
    const auto host = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    if (host("MURVEX_HOST_CPUS").empty()) GTEST_SKIP() << "run through tests/with-host-values.sh";
    // Within a minute: the clock may pass a minute's end between the two readings.
    const auto minutes = [](time_t at) {
        std::set<std::string> nearby;
        for (time_t moment : {at - 60, at, at + 60}) {
            char text[32];
            strftime(text, sizeof text, "%Y-%m-%d %H:%M", localtime(&moment));
            nearby.insert(text);
        }
        return nearby;
    };
    EXPECT_EQ(minutes(before).count(InfoLine(run.out, "Updated:")), 1u) << InfoLine(run.out, "Updated:");
    EXPECT_EQ(minutes(static_cast<time_t>(std::stoll(host("MURVEX_HOST_BOOTED")))).count(InfoLine(run.out, "Boot Time:")), 1u)
        << InfoLine(run.out, "Boot Time:");
    const int cpus = std::stoi(host("MURVEX_HOST_CPUS"));
    EXPECT_EQ(InfoLine(run.out, "CPU:"),
              host("MURVEX_HOST_CPU") + " (" + std::to_string(cpus) + (cpus == 1 ? " logical processor)" : " logical processors)"));
    char memory[32];
    std::snprintf(memory, sizeof memory, "%.1f GB", std::stod(host("MURVEX_HOST_MEMORY_KB")) / (1 << 20));
    EXPECT_EQ(InfoLine(run.out, "Memory:"), memory);
    EXPECT_EQ(InfoLine(run.out, "System Type:"), "x64");
    // Drive C: is the prefix's folder: its size exactly, its free space as it was a moment ago.
    std::istringstream disk(host("MURVEX_HOST_DISK"));
    double available = 0, blocks = 0, blockSize = 0;
    ASSERT_TRUE(disk >> available >> blocks >> blockSize) << host("MURVEX_HOST_DISK");
    const std::string space = InfoLine(run.out, "Free Space:");
    char total[32];
    std::snprintf(total, sizeof total, " GB free of %.1f GB", blocks * blockSize / (1 << 30));
    ASSERT_EQ(space.rfind("C: ", 0), 0u) << space;
    EXPECT_NE(space.find(total), std::string::npos) << space;
    EXPECT_NEAR(std::stod(space.substr(3)), available * blockSize / (1 << 30), 0.5) << space;
    // The default route's device and gateway, and the first name server.
    for (const auto& [label, value] : {std::pair{"MAC Address:", host("MURVEX_HOST_MAC")},
                                       {"Default Gateway:", host("MURVEX_HOST_GATEWAY")},
                                       {"DNS Server:", host("MURVEX_HOST_DNS")}}) {
        if (value.empty()) continue;  // a host without a default route or a name server
        EXPECT_NE(InfoLine(run.out, label).find(value), std::string::npos) << label << " " << InfoLine(run.out, label);
    }
    EXPECT_NE(InfoLine(run.out, "Domain:"), "");
    // Every line in the table's order, the monitors last.
    size_t at = 0;
    for (const char* label : {"IP Address:", "User:", "Domain:", "Logon Server:", "Boot Time:", "CPU:", "Memory:",
                              "System Type:", "Free Space:", "MAC Address:", "Default Gateway:", "DNS Server:",
                              "Manufacturer:", "Model:", "Serial Number:", "Asset Tag:", "Updated:", "Monitors:"}) {
        const size_t found = run.out.find(std::string("\n") + label + "\t");
        EXPECT_TRUE(found != std::string::npos && found > at) << label;
        at = found;
    }
    // The addresses as Linux lists them: with one to four, exactly those; with more, four
    // of them and "..."; with none, nothing here can be compared.
    std::istringstream hostWords(host("MURVEX_HOST_ADDRESSES")), shownWords(InfoLine(run.out, "IP Address:"));
    std::set<std::string> expected, shown;
    for (std::string word; hostWords >> word;)
        if (word.find(':') == std::string::npos && word.rfind("169.254.", 0) != 0) expected.insert(word);
    for (std::string word; std::getline(shownWords >> std::ws, word, ',');) shown.insert(word);
    if (expected.empty()) GTEST_SKIP() << "the host has no IPv4 address to compare with";
    EXPECT_EQ(shown.size(), std::min<size_t>(expected.size(), MAX_SHOWN_ADDRESSES + 1));
    EXPECT_EQ(shown.count("..."), expected.size() > MAX_SHOWN_ADDRESSES ? 1u : 0u);
    for (const std::string& address : shown) EXPECT_TRUE(address == "..." || expected.count(address)) << address;
}

// The administrator's own lines read a registry value of each type, a variable, a file's
// version and fixed text; nothing else, and nothing ever runs. A ticked line of this user
// (an environment variable) puts the wallpaper in the user's own folder.
TEST_F(Unattended, CustomLinesAreReadNeverRun)
{
    const std::string key = "Software\\MurvexTest\\Inventory";
    const auto setValue = [&](const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    };
    setValue("Tag", REG_SZ, std::string("AT-42\r\nSystem Name:\tforged\0", 27));
    setValue("Path", REG_EXPAND_SZ, std::string("%MURVEX_SITE%-x\0", 16));
    setValue("Count", REG_DWORD, std::string("\x2a\0\0\0", 4));
    setValue("Big", REG_QWORD, std::string("\0\0\0\0\x01\0\0\0", 8));
    setValue("Racks", REG_MULTI_SZ, std::string("R1\0R2\0\0", 7));
    setValue("Blob", REG_BINARY, "abc");
    SetEnvironmentVariableA("MURVEX_SITE", "Berlin");  // the program inherits it
    const std::string marker = folder.File("ran.txt");
    Master("[Custom]\r\n"
           "Label1=Tag:\r\nSource1=registry:HKCU\\" + key + "\\Tag\r\n"
           "Label2=Path:\r\nSource2=Registry:HKEY_CURRENT_USER\\" + key + "\\Path\r\n"
           "Label3=Count:\r\nSource3=registry:HKCU\\" + key + "\\Count\r\n"
           "Label4=Big:\r\nSource4=registry:HKCU\\" + key + "\\Big\r\n"
           "Label5=Racks:\r\nSource5=registry:HKCU\\" + key + "\\Racks\r\n"
           "Label6=Blob:\r\nSource6=registry:HKCU\\" + key + "\\Blob\r\n"
           "Label7=Site:\r\nSource7=env:MURVEX_SITE\r\n"
           "Label8=Agent:\r\nSource8=version:%MURVEX_FIXTURES%\\browser_fixture.exe\r\n"
           "Label9=Rack:\tSystem Name:\r\nSource9=text:  R4-B2 %1 %0d\r\n"
           "Label10=Command:\r\nSource10=cmd:/c echo x > \"" + marker + "\"\r\n"
           "Label11=" + std::string(100, 'L') + "\r\nSource11=text:" + std::string(3000, 'v') + "\r\n");
    SetEnvironmentVariableA("MURVEX_FIXTURES", FolderOf(BesideTest("browser_fixture.exe")).c_str());
    ProcessRun run = RunProgram(exe, "/info");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    const size_t custom = run.out.find("\nTag:\t") + 1;
    ASSERT_NE(custom, 0u) << run.out;
    EXPECT_EQ(run.out.substr(custom, run.out.find("Monitors:") - custom),
              "Tag:\tAT-42  System Name: forged\r\nPath:\tBerlin-x\r\nCount:\t42\r\nBig:\t4294967296\r\nRacks:\tR1, R2\r\n"
              "Blob:\t\r\nSite:\tBerlin\r\nAgent:\t7.1.2.3\r\nRack: System Name:\t  R4-B2 %1 %0d\r\nCommand:\t\r\n" +
              std::string(64, 'L') + "\t" + std::string(1024, 'v') + "\r\n");
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "a source ran";

    // /refresh: the variable's line ticked (custom lines are, unless ShowN=0), the
    // wallpaper is this user's own, in the user's folder.
    const std::string userWallpaper = UserFolder() + "MurvexE2E.bmp";
    DeleteFileA(userWallpaper.c_str());
    Master("[Save]\r\nFilename=MurvexE2E.bmp\r\nSetAsWallpaper=0\r\n[Custom]\r\nLabel1=Site:\r\nSource1=env:MURVEX_SITE\r\n");
    run = RunProgram(exe, "/refresh");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(GetFileAttributesA(userWallpaper.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(WindowsFile("MurvexE2E.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(userWallpaper.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MurvexTest");
}

// A policy, set where Group Policy sets it, changes what the switches give: the machine's
// over the user's over the file (a border); /info counts the values taken.
TEST_F(Unattended, PoliciesChangeWhatTheSwitchesGive)
{
    const auto clear = [] {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, POLICY_KEY);
    };
    clear();
    EXPECT_EQ(InfoLine(RunProgram(exe, "/info").out, "Policy:"), "0");
    Master(smallWallpaper);  // framed: 22 x 22
    const std::string general = std::string(POLICY_KEY) + "\\General";
    const DWORD on = 1, off = 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, general.c_str(), "Border", REG_DWORD, &on, sizeof on);
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, general.c_str(), "Border", REG_DWORD, &off, sizeof off);
    const ProcessRun saved = RunProgram(exe, "/save \"" + folder.File("policy.bmp") + "\"");
    const std::string info = RunProgram(exe, "/info").out;
    clear();
    ASSERT_EQ(saved.exitCode, 0u) << saved.err;
    EXPECT_EQ(ReadPicture(folder.File("policy.bmp")).cx, 20);  // no frame: the margins alone
    EXPECT_EQ(InfoLine(info, "Policy:"), "1");
}

// Stored settings give the very wallpaper their file was made with, byte for byte (what
// each shows is in its name and first line). MURVEX_UPDATE_WALLPAPERS writes them anew after a change to
// what the wallpaper should be, checked by eye.
TEST_F(Unattended, StoredSettingsGiveTheirWallpaperByteForByte)
{
    const std::string fixtures = std::string("Z:") + MURVEX_TEST_FIXTURES + "/wallpapers/";
    int files = 0;
    for (const std::string& name : FolderListing(fixtures)) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".INI") != 0) continue;
        SCOPED_TRACE(name);
        ++files;
        const std::string wallpaper = fixtures + name.substr(0, name.size() - 4) + ".bmp";
        Master(ReadWholeFile(fixtures + name));
        const std::string target = std::getenv("MURVEX_UPDATE_WALLPAPERS") ? wallpaper : folder.File("now.bmp");
        ASSERT_EQ(RunProgram(exe, "/save \"" + target + "\"").exitCode, 0u);
        const std::string expected = ReadWholeFile(wallpaper);
        EXPECT_GT(expected.size(), 62u);
        EXPECT_TRUE(ReadWholeFile(target) == expected);
    }
    EXPECT_EQ(files, 8);
}

// What keeps a planted DLL out: later loads search the system folder only, by full path.
// (Murvex32 imports only known DLLs: scripts/check-imports.sh. Under Wine a real run cannot
// show it: Wine's own user32 imports version.dll before any code of the program runs.)
TEST(DllSearch, APlantedDllInTheSearchPathIsNeverLoaded)
{
    TempFolder folder;
    ASSERT_TRUE(CopyFileA(BesideTest("planted\\version.dll").c_str(), folder.File("murvexplanted.dll").c_str(), FALSE));
    const std::string marker = folder.File("planted-dll-loaded.txt");
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(folder.Path().c_str());

    // The ordinary search finds it in the current folder: the plant works.
    HMODULE planted = LoadLibraryA("murvexplanted.dll");
    EXPECT_NE(planted, nullptr);
    if (planted) FreeLibrary(planted);
    EXPECT_TRUE(IsFile(marker));
    DeleteFileA(marker.c_str());

    RestrictDllSearchToSystem();
    EXPECT_EQ(LoadLibraryA("murvexplanted.dll"), nullptr);
    EXPECT_EQ(LoadSystemLibrary("murvexplanted.dll"), nullptr);
    EXPECT_FALSE(IsFile(marker));
    VersionInfo version;  // the real version.dll, from the system folder
    ASSERT_TRUE(version.Load(BesideTest("browser_fixture.exe")));
    EXPECT_EQ(version.QueryString("FileVersion"), "7.1.2.3");

    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto restore = SystemLibraryFunction<SetDefaultDllDirectoriesProc>("kernel32.dll", "SetDefaultDllDirectories");
    if (restore) restore(0x00001000);  // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS, for the tests after this one
    SetCurrentDirectoryA(current);
}

// One switch for every logon, used as Windows uses it: Wine's wineboot runs the Run
// entries as a logon does.
TEST_F(Unattended, InstallRefreshesAtEveryLogonUntilUninstalled)
{
    Master(std::string(smallWallpaper) + "[Save]\r\nFilename=MurvexE2E.bmp\r\nSetAsWallpaper=0\r\n");
    const std::string wallpaper = WindowsFile("MurvexE2E.bmp");
    // wineboot starts the entries and ends; a refresh then takes well under a second.
    auto logOn = [&] {
        DeleteFileA(wallpaper.c_str());
        RunProgram(L"wineboot.exe");
        return WaitFor([&] { return IsFile(wallpaper); }, 3000);
    };
    for (int time = 0; time < 2; ++time) {  // a second install leaves the one entry
        const ProcessRun run = RunProgram(exe, "/install");
        EXPECT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    }
    EXPECT_EQ(RunEntry(HKEY_CURRENT_USER), "\"" + exe + "\" /refresh");
    EXPECT_TRUE(logOn());
    EXPECT_EQ(RunProgram(exe, "/uninstall").exitCode, 0u);
    EXPECT_EQ(RunEntry(HKEY_CURRENT_USER), "<none>");
    EXPECT_FALSE(logOn());

    EXPECT_EQ(RunProgram(exe, "/install all").exitCode, 0u);
    EXPECT_EQ(RunEntry(HKEY_LOCAL_MACHINE), "\"" + exe + "\" /refresh");
    EXPECT_EQ(RunProgram(exe, "/uninstall all").exitCode, 0u);
    EXPECT_EQ(RunEntry(HKEY_LOCAL_MACHINE), "<none>");
}
