#pragma once
// Owning wrappers for Win32 handles: one owner each, movable, never copied.

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid())
    {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <typename Handle>
struct GdiObjectTraits {
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};

struct MemoryDCTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) { FindClose(search); }
};

struct RegistryKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

// Memory the system allocated for the caller with LocalAlloc (FormatMessage's text,
// CommandLineToArgvW's list).
template <typename Pointer>
struct LocalMemoryTraits {
    static Pointer Invalid() { return nullptr; }
    static void Close(Pointer memory) { LocalFree(memory); }
};

// A window made by hand (a popup, a tooltip, a gripper's parts). A child window goes
// with its parent, so one already gone is left alone.
struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND window)
    {
        if (IsWindow(window)) DestroyWindow(window);
    }
};

using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using MemoryDC = UniqueHandle<HDC, MemoryDCTraits>;
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using RegistryKeyHandle = UniqueHandle<HKEY, RegistryKeyTraits>;
using WindowHandle = UniqueHandle<HWND, WindowTraits>;
template <typename Pointer>
using LocalMemory = UniqueHandle<Pointer, LocalMemoryTraits<Pointer>>;

// The mouse captured by a window while the scope lasts, released after if it still has it.
class MouseCaptureScope {
public:
    explicit MouseCaptureScope(HWND window) : window_(window) { SetCapture(window); }
    ~MouseCaptureScope()
    {
        if (GetCapture() == window_) ReleaseCapture();
    }
    MouseCaptureScope(const MouseCaptureScope&) = delete;
    MouseCaptureScope& operator=(const MouseCaptureScope&) = delete;

private:
    HWND window_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// A window's device context from GetDC, released to that window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A font's lfHeight for a size in tenths of a point at the given resolution.
inline LONG FontHeightFromDecipoints(int decipoints, int pixelsPerInch) { return -MulDiv(decipoints, pixelsPerInch, 720); }

// A memory device context compatible with the screen.
inline MemoryDC CreateScreenCompatibleDC() { return MemoryDC(CreateCompatibleDC(nullptr)); }

// Selects an object into a device context and puts the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectScope()
    {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
