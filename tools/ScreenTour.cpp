// Pictures of Murvex for the README: starts Murvex32.exe in Wine's virtual desktop,
// shows each tab with the grid switched on, and saves the screen as 24-bit BMP files.
// Usage: murvex-tour.exe MURVEX_EXE OUTPUT_FOLDER

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

bool WaitFor(bool (*condition)(void*), void* data, int milliseconds)
{
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        if (condition(data)) return true;
        Sleep(50);
    }
    return false;
}

// Saves a rectangle of the screen; false when the file could not be written.
bool SaveScreen(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(stride * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

struct Tour {
    DWORD process;
    HWND main;
};

BOOL CALLBACK FindMain(HWND window, LPARAM data)
{
    auto* tour = reinterpret_cast<Tour*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == tour->process && IsWindowVisible(window) && GetDlgItem(window, IDC_MAIN_PREVIEW)) {
        tour->main = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisiblePageControl(HWND main, int id)
{
    for (HWND page = GetWindow(main, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        if (IsWindowVisible(page) && GetDlgItem(page, id)) return GetDlgItem(page, id);
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: murvex-tour MURVEX_EXE OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string exe = argv[1], folder = std::string(argv[2]) + "\\";
    RECT desktop = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Sleep(1000);  // the desktop paints its wallpaper
    if (!SaveScreen(desktop, folder + "desktop.bmp")) return 1;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    Tour tour = {process.dwProcessId, nullptr};
    const bool found = WaitFor([](void* data) { return !EnumWindows(FindMain, reinterpret_cast<LPARAM>(data)); },
                               &tour, 15000);
    int result = found ? 0 : 1;
    if (found) {
        HWND tab = GetDlgItem(tour.main, IDC_MAIN_TAB);
        SendMessageA(VisiblePageControl(tour.main, IDC_GENERAL_GRID), BM_CLICK, 0, 0);
        const char* const names[] = {"general", "captions", "notes", "grid"};
        for (int index = 0; index < 4; ++index) {
            if (index) PostMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
            Sleep(1000);
            if (index == 2)
                for (const char c : std::string("Rack 4, slot 2\rHelp desk: extension 4711"))
                    PostMessageA(VisiblePageControl(tour.main, IDC_NOTES_EDIT), WM_CHAR, static_cast<unsigned char>(c), 0);
            Sleep(1000);
            RECT window = {};
            GetWindowRect(tour.main, &window);
            if (!SaveScreen(window, folder + "window-" + names[index] + ".bmp")) result = 1;
        }
    }
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return result;
}
