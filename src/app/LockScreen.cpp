#include "app/LockScreen.h"

#include <shlobj.h>

#include <algorithm>

#include "app/WallpaperInputs.h"
#include "render/BitmapFile.h"
#include "render/PictureEncoder.h"
#include "render/WallpaperRenderer.h"
#include "settings/ScreenSizeList.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "win/Handles.h"
#include "win/SystemPaths.h"

namespace {

constexpr SIZE FALLBACK_SIZE = {1920, 1080};
// Windows 7 refuses an OEM background of 256 KB or more.
constexpr size_t MAX_OEM_BACKGROUND = 256 * 1024;
constexpr char CSP_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\PersonalizationCSP";
constexpr char OEM_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Authentication\\LogonUI\\Background";
constexpr char OEM_VALUE[] = "OEMBackground";
constexpr char OEM_FILE[] = "backgroundDefault.jpg";
const char* const CSP_VALUES[] = {"LockScreenImagePath", "LockScreenImageUrl"};
constexpr char CSP_STATUS[] = "LockScreenImageStatus";
// A JPEG comment segment: marker, length (its own two bytes and the text), text.
constexpr char MARK_TEXT[] = "Murvex lock screen";

// The start marker and Murvex's comment segment.
std::string JpegMark()
{
    const size_t length = 2 + sizeof MARK_TEXT - 1;
    return std::string("\xFF\xD8\xFF\xFE", 4) + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) +
           MARK_TEXT;
}

std::string ProgramDataFolder() { return MurvexFolderIn(CSIDL_COMMON_APPDATA); }

// A background the maker left, kept while Murvex's is shown.
std::string KeptBackgroundPath() { return ProgramDataFolder() + "backgroundDefault-before-Murvex.jpg"; }

// The real System32 for this program: a 32-bit one on 64-bit Windows is otherwise shown SysWOW64.
std::string OemBackgroundFolder()
{
    const std::string windows = WindowsDirectory();
    if (windows.empty()) return std::string();
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return windows + (wow64 ? "Sysnative" : "System32") + "\\oobe\\info\\backgrounds\\";
}

// Makes every missing folder of the path (which ends in a backslash).
bool MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1))
        if (!MakeFolder(folder.substr(0, slash + 1))) return false;
    return true;
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((folder + pattern).c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

// A JPEG with Murvex's comment after its start marker, so that a later run knows the
// file as its own.
std::vector<uint8_t> MarkedJpeg(const std::vector<uint8_t>& jpeg)
{
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return jpeg;
    const std::string mark = JpegMark();
    std::vector<uint8_t> marked(mark.begin(), mark.end());
    marked.insert(marked.end(), jpeg.begin() + 2, jpeg.end());
    return marked;
}

// Whether the file is a JPEG Murvex wrote: it starts with the mark.
bool IsMarkedJpegFile(const std::string& path)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    const std::string mark = JpegMark();
    std::string start(mark.size(), '\0');
    DWORD read = 0;
    return file && ReadFile(file.Get(), start.data(), static_cast<DWORD>(start.size()), &read, nullptr) &&
           read == start.size() && start == mark;
}

RunOutcome Failure(const std::string& what, DWORD error)
{
    if (error == ERROR_ACCESS_DENIED) return {EXIT_NOT_WRITTEN, "administrator rights are needed (" + what + ")"};
    return {EXIT_NOT_WRITTEN, what + ": " + SystemErrorText(error)};
}

// The machine's key for the lock screen, for writing: the first step, so that a user
// without the rights is refused before anything is written.
RunOutcome OpenMachineKey(RegistryKey& key, const char* subkey, bool create)
{
    const bool opened = create ? key.CreateKey(HKEY_LOCAL_MACHINE, subkey, KEY_WOW64_64KEY)
                               : key.OpenKey(HKEY_LOCAL_MACHINE, subkey, true, KEY_WOW64_64KEY);
    if (opened || (!create && GetLastError() == ERROR_FILE_NOT_FOUND)) return {};
    return Failure(std::string("could not open HKLM\\") + subkey, GetLastError());
}

LockScreenSize CurrentLockScreenSize()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    std::vector<StoredDisplayMode> stored;
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    for (DWORD index = 0; EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        if (EnumDisplaySettingsA(device.DeviceName, ENUM_REGISTRY_SETTINGS, &mode))
            stored.push_back({(device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0,
                              {static_cast<LONG>(mode.dmPelsWidth), static_cast<LONG>(mode.dmPelsHeight)}});
        device.cb = sizeof device;
    }
    return ChooseLockScreenSize(session != 0, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, stored);
}

// The machine's key opened for writing (a user without the rights is refused here, before
// anything is written), then the picture, drawn as the wallpaper is for a screen of the
// chosen size without a task bar.
struct LockScreenPicture {
    RegistryKey key;
    WallpaperRenderer renderer;
    LockScreenSize size;

    bool Encode(PictureFormat format, float quality, std::vector<uint8_t>& encoded, std::string& reason) const
    {
        return EncodePicture(*renderer.Wallpaper(), renderer.InkColor(), renderer.PaperColor(), format, quality, encoded,
                             reason);
    }
    std::string Written(const std::string& path) const
    {
        const PackedSize pixels = PackSize(static_cast<uint16_t>(size.size.cx), static_cast<uint16_t>(size.size.cy));
        return "lock screen: " + path + ", " + SizeLabel(pixels) + " (" + size.source + ")";
    }
};

RunOutcome Prepare(LockScreenPicture& picture, const char* subkey, const WallpaperSettings& settings,
                   const CaptionValues& values)
{
    if (RunOutcome opened = OpenMachineKey(picture.key, subkey, true); opened.exitCode != EXIT_DONE) return opened;
    const SIZE size = (picture.size = CurrentLockScreenSize()).size;
    const ScreenFacts screen = {size, ScreenLogPixelsY(), {size, {0, 0, size.cx, size.cy}}};
    return RenderWallpaperOf(LockScreenSettings(settings), values, screen, picture.renderer);
}

RunOutcome SetPersonalizationImage(const WallpaperSettings& settings, const CaptionValues& values, std::string& said)
{
    LockScreenPicture picture;
    if (RunOutcome ready = Prepare(picture, CSP_KEY, settings, values); ready.exitCode != EXIT_DONE) return ready;
    RegistryKey& key = picture.key;
    std::vector<uint8_t> png;
    std::string reason;
    if (!picture.Encode(PictureFormat::Png, 1.0f, png, reason)) return {EXIT_NOT_WRITTEN, reason};
    const std::string folder = ProgramDataFolder();
    if (folder.empty() || !MakeFolders(folder)) return Failure("could not make " + folder, GetLastError());
    // A new name each time: Windows keeps its own copy of the picture by the file's name.
    unsigned number = 0;
    const std::vector<std::string> earlier = FilesIn(folder, "LockScreen-*.png");
    for (const std::string& name : earlier) number = std::max(number, LockScreenFileNumber(name));
    const std::string path = folder + "LockScreen-" + std::to_string(number + 1) + ".png";
    if (!WriteFileSafely(path, {{png.data(), png.size()}})) return Failure("could not write " + path, GetLastError());
    // The values point at the new file, or (when one cannot be written) stay as they were.
    std::string before[2];
    DWORD status = 0;
    const bool hadStatus = key.ReadDword(CSP_STATUS, status);
    for (int value = 0; value < 2; ++value) before[value] = key.ReadString(CSP_VALUES[value], "");
    if (!key.WriteString(CSP_VALUES[0], path) || !key.WriteString(CSP_VALUES[1], path) || !key.WriteDword(CSP_STATUS, 1)) {
        const DWORD error = GetLastError();
        for (int value = 0; value < 2; ++value)
            before[value].empty() ? key.DeleteValue(CSP_VALUES[value]) : key.WriteString(CSP_VALUES[value], before[value]);
        hadStatus ? key.WriteDword(CSP_STATUS, status) : key.DeleteValue(CSP_STATUS);
        DeleteFileA(path.c_str());
        return Failure("could not set HKLM\\" + std::string(CSP_KEY), error);
    }
    for (const std::string& name : earlier) DeleteFileA((folder + name).c_str());
    said = picture.Written(path);
    return {};
}

RunOutcome SetOemBackground(const WallpaperSettings& settings, const CaptionValues& values, std::string& said)
{
    LockScreenPicture picture;
    if (RunOutcome ready = Prepare(picture, OEM_KEY, settings, values); ready.exitCode != EXIT_DONE) return ready;
    std::vector<uint8_t> jpeg;
    std::string reason;
    // The best quality that fits; a two-colour picture fits at the first or second try.
    for (int quality = 9; quality >= 1 && (jpeg.empty() || jpeg.size() >= MAX_OEM_BACKGROUND); --quality)
        if (!picture.Encode(PictureFormat::Jpeg, static_cast<float>(quality) / 10, jpeg, reason))
            return {EXIT_NOT_WRITTEN, reason};
    jpeg = MarkedJpeg(jpeg);
    if (jpeg.size() >= MAX_OEM_BACKGROUND)
        return {EXIT_NOT_WRITTEN, "the lock screen picture does not fit in 256 KB, even at the lowest quality"};
    const std::string folder = OemBackgroundFolder(), path = folder + OEM_FILE;
    if (folder.empty() || !MakeFolders(folder)) return Failure("could not make " + folder, GetLastError());
    // A background the maker left is kept, to come back with /lockscreen off.
    const std::string kept = KeptBackgroundPath();
    bool keptNow = false;
    if (IsFile(path) && !IsMarkedJpegFile(path) && !IsFile(kept)) {
        if (!MakeFolders(ProgramDataFolder()) || !CopyFileA(path.c_str(), kept.c_str(), TRUE))
            return Failure("could not keep the present background in " + kept, GetLastError());
        keptNow = true;
    }
    if (!WriteFileSafely(path, {{jpeg.data(), jpeg.size()}}) || !picture.key.WriteDword(OEM_VALUE, 1)) {
        const DWORD error = GetLastError();
        if (keptNow) {
            MoveFileExA(kept.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        } else if (IsMarkedJpegFile(path)) {
            DeleteFileA(path.c_str());
        }
        return Failure("could not write " + path, error);
    }
    said = picture.Written(path);
    return {};
}

RunOutcome RemovePersonalizationImage()
{
    RegistryKey key;
    if (RunOutcome opened = OpenMachineKey(key, CSP_KEY, false); opened.exitCode != EXIT_DONE) return opened;
    const std::string folder = ProgramDataFolder();
    // Only values that name a file of Murvex's: another tool's picture stays.
    const std::string path = key.ReadString(CSP_VALUES[0], "");
    if (key.IsOpen() && !folder.empty() && path.size() > folder.size() &&
        lstrcmpiA(path.substr(0, folder.size()).c_str(), folder.c_str()) == 0) {
        for (const char* value : {CSP_VALUES[0], CSP_VALUES[1], CSP_STATUS})
            if (!key.DeleteValue(value) && GetLastError() != ERROR_FILE_NOT_FOUND)
                return Failure("could not remove " + std::string(value), GetLastError());
    }
    for (const std::string& name : FilesIn(folder, "LockScreen-*.png"))
        if (LockScreenFileNumber(name) && !DeleteFileA((folder + name).c_str()))
            return Failure("could not remove " + folder + name, GetLastError());
    RemoveDirectoryA(folder.c_str());  // when nothing else is left in it
    return {};
}

RunOutcome RemoveOemBackground()
{
    const std::string path = OemBackgroundFolder() + OEM_FILE, kept = KeptBackgroundPath();
    if (!IsMarkedJpegFile(path)) return {};  // nothing of Murvex's
    RegistryKey key;
    if (RunOutcome opened = OpenMachineKey(key, OEM_KEY, false); opened.exitCode != EXIT_DONE) return opened;
    if (IsFile(kept)) {
        if (!MoveFileExA(kept.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return Failure("could not put back " + kept, GetLastError());
        RemoveDirectoryA(ProgramDataFolder().c_str());
        return {};  // the maker's background, with the value that shows it
    }
    if (key.IsOpen() && !key.DeleteValue(OEM_VALUE) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return Failure("could not remove " + std::string(OEM_VALUE), GetLastError());
    if (!DeleteFileA(path.c_str())) return Failure("could not remove " + path, GetLastError());
    return {};
}

}  // namespace

LockScreenSize ChooseLockScreenSize(bool realMonitor, SIZE primary, const std::vector<StoredDisplayMode>& stored)
{
    if (realMonitor && primary.cx > 0 && primary.cy > 0) return {primary, "the primary monitor"};
    for (const StoredDisplayMode& mode : stored)
        if (mode.primary && mode.size.cx > 0 && mode.size.cy > 0) return {mode.size, "the primary display's stored mode"};
    const StoredDisplayMode* largest = nullptr;
    for (const StoredDisplayMode& mode : stored)
        if (mode.size.cx > 0 && mode.size.cy > 0 &&
            (!largest || 1LL * mode.size.cx * mode.size.cy > 1LL * largest->size.cx * largest->size.cy))
            largest = &mode;
    if (largest) return {largest->size, "the largest display's stored mode"};
    return {FALLBACK_SIZE, "no display known"};
}

WallpaperSettings LockScreenSettings(const WallpaperSettings& settings)
{
    WallpaperSettings shown = settings;
    shown.general.grid = 0;
    HidePerUserLines(shown.captions);
    if (shown.general.position == POSITION_CENTRE) shown.general.position = POSITION_MONITOR_CENTRE;
    return shown;
}

unsigned LockScreenFileNumber(const std::string& name)
{
    constexpr size_t PREFIX = 11, SUFFIX = 4;  // "LockScreen-", ".png"
    if (name.size() <= PREFIX + SUFFIX || name.size() > PREFIX + SUFFIX + 9 ||
        lstrcmpiA(name.substr(0, PREFIX).c_str(), "LockScreen-") != 0 ||
        lstrcmpiA(name.substr(name.size() - SUFFIX).c_str(), ".png") != 0)
        return 0;
    const std::string digits = name.substr(PREFIX, name.size() - PREFIX - SUFFIX);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return static_cast<unsigned>(std::stoul(digits));
}

RunOutcome RunLockScreen(const WallpaperSettings& settings, const CaptionValues& values, bool off, std::string& said)
{
    const OsVersionRecord os = QueryOsVersion();
    const bool personalization = os.major >= 10, oemBackground = os.major == 6 && os.minor == 1;
    if (off) return personalization ? RemovePersonalizationImage() : oemBackground ? RemoveOemBackground() : RunOutcome{};
    if (personalization) return SetPersonalizationImage(settings, values, said);
    if (oemBackground) return SetOemBackground(settings, values, said);
    return {EXIT_NOT_WRITTEN, "the lock screen cannot be set on this system"};
}
