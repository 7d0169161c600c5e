// Medians of the costly operations of the renderer and the window, one line per
// case: name and milliseconds.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LiteralNotesSearch.h"
#include "app/WallpaperInputs.h"
#include "render/BitmapFile.h"
#include "render/MonoBitmap.h"
#include "render/NotesLayout.h"
#include "render/PreviewScaler.h"
#include "render/WallpaperRenderer.h"
#include "settings/ProfileCodec.h"
#include "settings/ScreenSizeList.h"
#include "settings/SettingsStore.h"
#include "win/Handles.h"

namespace {

double Median(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        work();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, int runs, const std::function<void()>& work) { PrintMedian(name, {Median(runs, work)}); }

void ReportPeakMemory(const char* name)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("%-34s %10.1f MB\n", name, static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0));
    std::fflush(stdout);
}

void PlainInputs(WallpaperDesign& design)
{
    std::memset(&design.font, 0, sizeof design.font);
    design.font.lfHeight = -13;
    design.font.lfWeight = FW_BOLD;
    std::strcpy(design.font.lfFaceName, "Arial");
    design.screen = CurrentScreen().fullScreen;
}

std::vector<uint32_t> StandardSizesAnd(uint16_t width, uint16_t height)
{
    ScreenSizeList list;
    list.PopulateScreenSizes({PackSize(1024, 768)});
    list.AddScreenSize(width, height, true);
    list.SetSelectionEnabled({0, 1, 2, 3, 4, 5, 6, 7}, true);
    return list.CollectEnabledSizes();
}

// With arguments, only the cases whose first letters they name ("f", "b g").
bool Wanted(int argc, char** argv, const char* letters)
{
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strchr(letters, argv[i][0])) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (Wanted(argc, argv, "abce")) {
        WallpaperDesign design;
        PlainInputs(design);
        WallpaperRenderer renderer;
        design.captionsText =
            "System Name:\tWORKSTATION-17\nOS Name:\tMicrosoft Windows XP Professional\n"
            "OS Version:\tVersion 5.1 (Build 2600: Service Pack 2)\nLocale:\tEnglish (United States)\n"
            "Browser:\tExample Browser\nBrowser Version:\t1.2.3.4\n";
        Report("a_render_logo_six_captions", 50, [&] { renderer.Render(design); });

        design.captionsText.clear();
        design.logoEnabled = false;
        design.notesText = Prose(4000);
        const double render = Median(20, [&] { renderer.Render(design); });
        PrintMedian("b_render_notes_4000_chars", {render});
        {
            // The straightforward render: the same render with the literal search's 100
            // measurements in place of the renderer's own search.
            MemoryDC dc = CreateScreenCompatibleDC();
            FontHandle font(CreateFontIndirectA(&design.font));
            SelectObjectScope scope(dc.Get(), font.Get());
            const long long cx = GetSystemMetrics(SM_CXFULLSCREEN), cy = GetSystemMetrics(SM_CYFULLSCREEN);
            const double search = Median(20, [&] { NotesLayout(dc.Get(), design.notesText, 0).SearchWidth(cx, cy); });
            const double literal = Median(5, [&] { LiteralNotesWidth(dc.Get(), design.notesText); });
            PrintMedian("b_render_notes_4000_chars_plain", {render - search + literal});
            std::printf("%-34s %10.1f x\n", "b_render_notes_4000_chars_ratio", (render - search + literal) / render);
        }

        design.notesText.clear();
        design.logoEnabled = true;
        design.gridSizes = StandardSizesAnd(1920, 1080);
        design.minWidth = PackedWidth(design.gridSizes.front());
        design.minHeight = PackedHeight(design.gridSizes.front());
        design.gridLineSize = 1;
        design.taskBarLines = true;
        Report("c_render_grid_8_sizes", 50, [&] { renderer.Render(design); });

        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        const std::string path = std::string(folder) + "murvex-bench.bmp";
        Report("e_save_1920x1080", 20, [&] { renderer.SaveBitmap(path); });
        DeleteFileA(path.c_str());
    }
    if (Wanted(argc, argv, "d")) {
        WallpaperDesign design;
        PlainInputs(design);
        WallpaperRenderer renderer;
        design.gridSizes = StandardSizesAnd(32000, 32000);
        design.minWidth = design.minHeight = 32000;
        design.gridLineSize = 2;
        design.taskBarLines = true;
        Report("d_render_grid_32000x32000", 5, [&] { renderer.Render(design); });
        ReportPeakMemory("d_peak_working_set");
    }
    for (int size : {1920, 32000}) {
        if (!Wanted(argc, argv, "f")) break;
        const int height = size == 1920 ? 1200 : 32000;
        MonoBitmap wallpaper = MonoBitmap::Create(size, height);
        wallpaper.FillPaper();
        for (int y = 0; y < height; y += 3) wallpaper.InkRun(y, y % size, size);
        const PreviewSize fitted = FitPreviewSize(550, 250, size, height);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = fitted.width;
        info.bmiHeader.biHeight = -fitted.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        const std::string name = "f_preview_pass_" + std::to_string(size) + "x" + std::to_string(height);
        // Into a preview bitmap of that size made before, as the preview worker reuses
        // the one shown before; a fresh one costs its page faults besides.
        void* bits = nullptr;
        BitmapHandle preview(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        auto pass = [&] { ReduceToPreview(wallpaper, fitted, 0x000000, 0xFFFFFF, static_cast<uint32_t*>(bits)); };
        if (size != 1920) {  // a colour copy of 32000 x 32000 cannot be made
            PrintMedian(name.c_str(), {Median(5, pass)});
            continue;
        }
        // The straightforward way: a colour copy of the wallpaper, then a HALFTONE reduction.
        auto plainPass = [&] {
            HDC screen = GetDC(nullptr);
            MemoryDC source(CreateCompatibleDC(screen)), colour(CreateCompatibleDC(screen)), target(CreateCompatibleDC(screen));
            BitmapHandle copy(CreateCompatibleBitmap(screen, size, height));
            void* copyBits = nullptr;
            BitmapHandle reduced(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &copyBits, nullptr, 0));
            ReleaseDC(nullptr, screen);
            SelectObjectScope sourceScope(source.Get(), wallpaper.Handle());
            SelectObjectScope colourScope(colour.Get(), copy.Get());
            SelectObjectScope targetScope(target.Get(), reduced.Get());
            SetTextColor(colour.Get(), 0x000000);
            SetBkColor(colour.Get(), 0xFFFFFF);
            BitBlt(colour.Get(), 0, 0, size, height, source.Get(), 0, 0, SRCCOPY);
            SetStretchBltMode(target.Get(), HALFTONE);
            SetBrushOrgEx(target.Get(), 0, 0, nullptr);
            StretchBlt(target.Get(), 0, 0, fitted.width, fitted.height, colour.Get(), 0, 0, size, height, SRCCOPY);
            GdiFlush();
        };
        // Interleaved, so that both see the machine in the same state.
        std::vector<double> fastTimes, plainTimes;
        for (int i = 0; i < 30; ++i) {
            fastTimes.push_back(Median(3, pass));
            plainTimes.push_back(Median(1, plainPass));
        }
        std::sort(fastTimes.begin(), fastTimes.end());
        std::sort(plainTimes.begin(), plainTimes.end());
        const double fast = fastTimes[fastTimes.size() / 2], plain = plainTimes[plainTimes.size() / 2];
        PrintMedian(name.c_str(), {fast});
        PrintMedian((name + "_plain").c_str(), {plain});
        std::printf("%-34s %10.1f x\n", (name + "_ratio").c_str(), plain / fast);
    }
    if (Wanted(argc, argv, "jk")) {
        // The limits: the largest wallpaper made, and the longest stored list read.
        WallpaperDesign design;
        PlainInputs(design);
        WallpaperRenderer renderer;
        design.gridSizes = {PackSize(65535, 65535)};
        design.minWidth = design.minHeight = 65535;
        Report("j_render_largest_65535x65535", 3, [&] { renderer.Render(design); });
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        const std::string path = std::string(folder) + "murvex-largest.bmp";
        Report("j_save_largest_65535x65535", 1, [&] { renderer.SaveBitmap(path); });
        DeleteFileA(path.c_str());
        ReportPeakMemory("j_peak_working_set");

        std::vector<uint32_t> sizes;
        for (uint32_t i = 0; i < 100000; ++i) sizes.push_back(PackSize(static_cast<uint16_t>(100 + i % 3000), static_cast<uint16_t>(100 + i / 3000)));
        const std::string file = std::string(folder) + "murvex-long-list.INI";
        WritePrivateProfileStringA("Grid", "GridArray", EncodeBlock(sizes.data(), sizes.size() * 4).c_str(), file.c_str());
        Report("k_load_100000_stored_sizes", 5, [&] {
            WallpaperSettings settings;
            SettingsStore(settings.Slices(), ProfilePaths{file, file, file}).LoadSettings(file);
            settings.grid.sizes.PopulateScreenSizes({PackSize(1920, 1080)});
        });
        DeleteFileA(file.c_str());
    }
    if (Wanted(argc, argv, "ghi")) RunWindowBenchmarks();
    if (Wanted(argc, argv, "lmno")) RunProcessBenchmarks();
    return 0;
}
