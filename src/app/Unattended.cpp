#include "app/Unattended.h"

#include <windows.h>

#include <cstdio>

#include "app/LockScreen.h"
#include "app/WallpaperInputs.h"
#include "app/WallpaperInstall.h"
#include "render/WallpaperRenderer.h"
#include "settings/SettingsStore.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/MachineFacts.h"
#include "win/Placement.h"
#include "win/SystemPaths.h"

namespace {

// Standard output and error as the process received them (a file or a pipe), or
// the console of the program that started it.
class ConsoleStreams {
public:
    ConsoleStreams()
    {
        output_ = Usable(GetStdHandle(STD_OUTPUT_HANDLE));
        error_ = Usable(GetStdHandle(STD_ERROR_HANDLE));
        if ((!output_ || !error_) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
            if (console != INVALID_HANDLE_VALUE) {
                console_.Reset(console);
                if (!output_) output_ = console;
                if (!error_) error_ = console;
            }
        }
    }

    // False when the text could not be written whole (no output, a full disk, a closed pipe).
    bool Out(const std::string& text) const { return Write(output_, text); }
    void Error(const std::string& text) const { Write(error_, "Murvex32: " + EscapeControlBytes(text) + "\r\n"); }
    void Usage() const { Write(error_, USAGE_TEXT); }

private:
    static HANDLE Usable(HANDLE handle)
    {
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
        return GetFileType(handle) == FILE_TYPE_UNKNOWN ? nullptr : handle;
    }
    static bool Write(HANDLE handle, const std::string& text)
    {
        DWORD written = 0;
        if (!handle) {
            SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
               written == text.size();
    }

    HANDLE output_ = nullptr;
    HANDLE error_ = nullptr;
    FileHandle console_;
};

// Converts a caption block's LF lines to CR LF for a console or a text file.
std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

bool IsWallpaperFileName(const std::string& name)
{
    if (name.size() <= 4 || name.find_first_of("\\/:*?\"<>|") != std::string::npos) return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    return lstrcmpiA(name.c_str() + name.size() - 4, ".bmp") == 0 && !IsReservedDeviceName(name);
}

std::string LogonCommand(const std::string& exePath) { return "\"" + exePath + "\" /refresh"; }

namespace {

const char* const RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const RUN_VALUE = "Murvex";

// /install and /uninstall: the logon entry of this user, or of every user.
int RunLogonEntry(const CommandLine& line, const ConsoleStreams& streams)
{
    const HKEY root = line.allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const bool install = line.mode == CommandLine::Mode::Install;
    RegistryKey run;
    const bool done = install ? run.CreateKey(root, RUN_KEY) && run.WriteString(RUN_VALUE, LogonCommand(ExecutablePath()))
                              : run.OpenKey(root, RUN_KEY, true) && run.DeleteValue(RUN_VALUE);
    const DWORD error = GetLastError();
    // Nothing registered is nothing to remove.
    if (done || (!install && error == ERROR_FILE_NOT_FOUND)) return EXIT_DONE;
    const std::string where = line.allUsers ? "every user's logon" : "this user's logon";
    std::string reason = SystemErrorText(error);
    if (line.allUsers && error == ERROR_ACCESS_DENIED) reason = "administrator rights are needed (" + reason + ")";
    streams.Error(std::string(install ? "could not add Murvex to " : "could not remove Murvex from ") + where + ": " +
                  reason);
    return EXIT_NOT_WRITTEN;
}

}  // namespace

std::string EscapeControlBytes(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", byte);
        escaped += hex;
    }
    return escaped;
}

RunOutcome RenderWallpaperOf(const WallpaperSettings& settings, const CaptionValues& values, const ScreenFacts& screen,
                             WallpaperRenderer& renderer)
{
    const WallpaperInputs inputs = GatherWallpaperInputs(
        {settings.general, settings.captions, settings.notes, settings.grid, values, GetSysColor(COLOR_BACKGROUND), screen},
        LoadCaptionLabels());
    renderer.SetColors(inputs.colors.foreground, inputs.colors.background);
    renderer.Render(inputs.design);
    if (renderer.GetWallpaperSize().cx == 0) return {EXIT_NOT_WRITTEN, TooLargeText(renderer)};
    return {};
}

RunOutcome WriteWallpaperOf(const WallpaperSettings& settings, const CaptionValues& values, const std::string& path,
                            const std::wstring& widePath)
{
    WallpaperRenderer renderer;
    if (RunOutcome drawn = RenderWallpaperOf(settings, values, CurrentScreen(), renderer); drawn.exitCode != EXIT_DONE)
        return drawn;
    if (!(widePath.empty() ? renderer.SaveBitmap(path) : renderer.SaveBitmap(widePath)))
        return {EXIT_NOT_WRITTEN, "could not write " + path + ": " + SystemErrorText(GetLastError())};
    return {};
}

std::string InfoText(const CaptionSettings& captions, const CaptionValues& values, const CaptionLabels& labels)
{
    // The first six as the wallpaper has them; then everything else Murvex knows, ticked
    // or not, in the table's order, and the administrator's lines.
    std::string text;
    for (int item = 0; item < CAPTION_COUNT; ++item)
        if (item >= CAPTION_IP_ADDRESS || (captions.enabled[item] && !values.item[item].empty()))
            text += labels[item] + "\t" + values.item[item] + "\n";
    for (size_t line = 0; line < captions.custom.size(); ++line)
        text += captions.custom[line].label + "\t" + LineValue(values, static_cast<CaptionLine>(CAPTION_COUNT + line)) + "\n";
    return text;
}

int RunUnattended(const CommandLine& line)
{
    const ConsoleStreams streams;
    if (line.mode == CommandLine::Mode::Invalid || line.mode == CommandLine::Mode::Window) {
        streams.Error(line.error.empty() ? "no switch given" : line.error);
        streams.Usage();
        return EXIT_USAGE;
    }

    if (line.mode == CommandLine::Mode::Install || line.mode == CommandLine::Mode::Uninstall)
        return RunLogonEntry(line, streams);

    WallpaperSettings settings;
    const PolicyRecord policies = LoadStartupSettings(settings);
    // The screen-size list as the Grid page builds it.
    const std::vector<PackedSize> monitors = PackedMonitorSizes();
    settings.grid.sizes.PopulateScreenSizes(monitors);
    // Removing the lock screen's picture draws nothing: no values to read.
    const bool drawsNothing = line.mode == CommandLine::Mode::LockScreen && line.off;
    const CaptionValues values = drawsNothing ? CaptionValues() : CollectCaptionValues(settings.captions.custom);

    if (line.mode == CommandLine::Mode::LockScreen) {
        std::string said;
        const RunOutcome outcome = RunLockScreen(settings, values, line.off, said);
        if (outcome.exitCode != EXIT_DONE) {
            streams.Error(outcome.error);
            return outcome.exitCode;
        }
        if (!said.empty()) streams.Out(said + "\r\n");
        return EXIT_DONE;
    }

    if (line.mode == CommandLine::Mode::Info) {
        std::string sizes;
        for (PackedSize monitor : monitors) sizes += (sizes.empty() ? "" : ", ") + SizeLabel(monitor);
        if (streams.Out(WithCrLf(InfoText(settings.captions, values, LoadCaptionLabels()) + "Monitors:\t" + sizes +
                                 "\nPolicy:\t" + std::to_string(policies.Count()) + "\n")))
            return EXIT_DONE;
        streams.Error("could not write the values: " + SystemErrorText(GetLastError()));
        return EXIT_NOT_WRITTEN;
    }

    std::string path = WithoutTrailingDots(line.file, "bmp");
    if (line.mode == CommandLine::Mode::Save && IsReservedDeviceName(FileNameOf(path))) {
        streams.Error(FileNameOf(path) + " is a name Windows keeps for a device; choose another file name");
        return EXIT_NOT_WRITTEN;
    }
    if (line.mode == CommandLine::Mode::Refresh) {
        if (!IsWallpaperFileName(settings.output.filename)) {
            streams.Error("the wallpaper file name in the settings is not a plain name ending in .bmp: " +
                          settings.output.filename);
            return EXIT_NOT_WRITTEN;
        }
        // The window's Save As proposes the same folder.
        const bool perUser = ShowsUsersOwnValues(settings.general, settings.captions);
        const std::string folder = WallpaperFolder(perUser);
        if (folder.empty()) {
            streams.Error(perUser ? "this user's folder for Murvex could not be made" : "the Windows directory is not known");
            return EXIT_NOT_WRITTEN;
        }
        path = folder + settings.output.filename;
    }

    const RunOutcome written =
        WriteWallpaperOf(settings, values, path,
                         line.mode == CommandLine::Mode::Save ? WithoutTrailingDots(line.wideFile, L"bmp") : std::wstring());
    if (written.exitCode != EXIT_DONE) {
        streams.Error(written.error);
        return written.exitCode;
    }
    if (line.mode == CommandLine::Mode::Refresh && settings.output.setAsWallpaper && !InstallWallpaper(path)) {
        streams.Error("wrote " + path + " but Windows did not take it as the desktop wallpaper: " +
                      SystemErrorText(GetLastError()));
        return EXIT_NOT_WRITTEN;
    }
    return EXIT_DONE;
}
