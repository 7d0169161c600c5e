#pragma once
// Keeps a scaled colour preview of the latest wallpaper, made on a worker thread of
// idle priority: one thread at most, a request made while a pass runs starts one more
// pass after it, and a pass overtaken by a newer request drops its result unseen.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "render/MonoBitmap.h"
#include "win/Handles.h"
#include "win/PoolWork.h"

class PreviewWorker {
public:
    PreviewWorker() = default;
    // Makes a pass under way end before anything it uses goes away.
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // The window the preview is painted in (its client size bounds the preview);
    // null means no preview is wanted.
    void SetWindow(HWND window);
    // A fresh preview of `wallpaper` in these colours; the window is invalidated when
    // it is ready. The wallpaper is not changed while the worker holds it.
    void Request(std::shared_ptr<const MonoBitmap> wallpaper, COLORREF foreColor, COLORREF backColor);
    // Lets go of a requested wallpaper that no pass has taken yet, before a new one is
    // made: the largest are hundreds of MiB. The preview shown stays.
    void Withdraw();
    // Paints the preview at (x, y), as large as it is; nothing before the first one.
    void Paint(HDC dc, int x, int y);
    // Size of the current preview (0 x 0 when there is none).
    SIZE Size();

    // Diagnostics for tests and the benchmark.
    bool Running();
    long ThreadsStarted() const { return threadsStarted_; }
    long ThreadsAtOnce() const { return threadsAtOnce_; }
    // Preview threads of every worker of the process, from their start until they end.
    static long ThreadsRunningInProcess();

private:
    void RunPasses();
    void RunPass(HWND window);

    std::mutex requestLock_;  // the request's fields, pending_, running_, window_
    std::mutex previewLock_;  // preview_
    std::shared_ptr<const MonoBitmap> wallpaper_;
    COLORREF foreColor_ = 0x000000;
    COLORREF backColor_ = 0xFFFFFF;
    HWND window_ = nullptr;
    std::atomic<bool> pending_{false};
    bool running_ = false;
    // A preview's bitmap: a DIB section the reduction writes into directly. Its bits
    // and size count only while it has a handle.
    struct PreviewBitmap {
        BitmapHandle handle;
        uint32_t* bits = nullptr;
        SIZE size{0, 0};
    };
    PreviewBitmap preview_;
    // The one shown before: the next pass of the same size writes into it again
    // (fresh memory costs more to touch than the reduction itself).
    PreviewBitmap spare_;
    std::atomic<long> liveThreads_{0};
    std::atomic<long> threadsStarted_{0};
    std::atomic<long> threadsAtOnce_{0};
    // Last: it waits for a run under way before anything the run uses goes.
    PoolWork work_{[this] { RunPasses(); }};
};
