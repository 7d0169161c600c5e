#include "app/Unattended.h"

#include <windows.h>

#include "app/WallpaperInputs.h"
#include "app/WallpaperInstall.h"
#include "render/WallpaperRenderer.h"
#include "settings/SettingsStore.h"
#include "sysinfo/SystemInfo.h"
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

    void Out(const std::string& text) const { Write(output_, text); }
    void Error(const std::string& text) const { Write(error_, "Murvex32: " + text + "\r\n"); }
    void Usage() const { Write(error_, USAGE_TEXT); }

private:
    static HANDLE Usable(HANDLE handle)
    {
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
        return GetFileType(handle) == FILE_TYPE_UNKNOWN ? nullptr : handle;
    }
    static void Write(HANDLE handle, const std::string& text)
    {
        DWORD written = 0;
        if (handle) WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
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

bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

int RunUnattended(const CommandLine& line)
{
    const ConsoleStreams streams;
    if (line.mode == CommandLine::Mode::Invalid || line.mode == CommandLine::Mode::Window) {
        streams.Error(line.error.empty() ? "no switch given" : line.error);
        streams.Usage();
        return EXIT_USAGE;
    }

    WallpaperSettings settings;
    LoadStartupSettings(settings);
    // The screen-size list as the Grid page builds it.
    settings.grid.sizes.PopulateScreenSizes(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CaptionValues values;
    CollectCaptionValues(values);
    std::string labels[CAPTION_COUNT];
    LoadCaptionLabels(labels);

    if (line.mode == CommandLine::Mode::Info) {
        streams.Out(WithCrLf(BuildCaptionText(settings.captions, values, labels)));
        return EXIT_DONE;
    }

    std::string path = line.file;
    if (line.mode == CommandLine::Mode::Refresh) {
        if (!IsPlainFileName(settings.output.filename)) {
            streams.Error("the wallpaper file name in the settings is not a plain file name: " +
                          settings.output.filename);
            return EXIT_NOT_WRITTEN;
        }
        const std::string folder = WindowsDirectory();
        if (folder.empty()) {
            streams.Error("the Windows directory is not known");
            return EXIT_NOT_WRITTEN;
        }
        path = folder + settings.output.filename;
    }

    WallpaperRenderer renderer;
    GatherRendererInputs({settings.general, settings.captions, settings.notes, settings.grid, values,
                          GetSysColor(COLOR_BACKGROUND)},
                         labels, renderer);
    renderer.Render();
    if (!renderer.SaveBitmap(path)) {
        const SIZE size = renderer.GetWallpaperSize();
        streams.Error(size.cx == 0 ? "the wallpaper is too large to be made: " + path
                                   : "could not write " + path + " (folder missing, file read-only or in use, or disk full)");
        return EXIT_NOT_WRITTEN;
    }
    if (line.mode == CommandLine::Mode::Refresh && settings.output.setAsWallpaper && !InstallWallpaper(path)) {
        streams.Error("wrote " + path + " but Windows did not take it as the desktop wallpaper");
        return EXIT_NOT_WRITTEN;
    }
    return EXIT_DONE;
}
