#include "render/PreviewWorker.h"

#include "render/PreviewScaler.h"

namespace {

std::atomic<long> threadsRunningInProcess{0};

using Lock = std::lock_guard<std::mutex>;

}  // namespace

long PreviewWorker::ThreadsRunningInProcess() { return threadsRunningInProcess; }

PreviewWorker::~PreviewWorker()
{
    {
        Lock lock(requestLock_);
        window_ = nullptr;
        pending_ = true;  // a pass under way drops its result
    }
    // work_, destroyed first, waits for the pass under way.
}

void PreviewWorker::SetWindow(HWND window)
{
    Lock lock(requestLock_);
    window_ = window;
}

void PreviewWorker::Request(std::shared_ptr<const MonoBitmap> wallpaper, COLORREF foreColor, COLORREF backColor)
{
    Lock lock(requestLock_);
    pending_ = true;
    wallpaper_ = std::move(wallpaper);
    foreColor_ = foreColor;
    backColor_ = backColor;
    // Without a window no preview is wanted: a thread would end at once.
    if (running_ || !window_) return;
    if (!work_.Submit()) return;  // no pool to run it: the preview shown stays
    running_ = true;
    const long live = ++liveThreads_;
    if (live > threadsAtOnce_) threadsAtOnce_ = live;
    ++threadsRunningInProcess;
    ++threadsStarted_;
}

void PreviewWorker::Withdraw()
{
    Lock lock(requestLock_);
    wallpaper_.reset();
}

void PreviewWorker::RunPasses()
{
    // Idle priority while it works; the pool's thread gets its own back.
    const HANDLE thread = GetCurrentThread();
    const int priority = GetThreadPriority(thread);
    SetThreadPriority(thread, THREAD_PRIORITY_IDLE);
    for (;;) {
        HWND window;
        {
            Lock lock(requestLock_);
            window = window_;
            pending_ = false;
        }
        if (window) RunPass(window);
        // Checked and cleared under the lock that requests take, so no request is lost.
        Lock lock(requestLock_);
        if (pending_ && window_) continue;
        // Counted out with the flag, so that the next request counts one run at a time.
        running_ = false;
        --threadsRunningInProcess;
        --liveThreads_;
        break;
    }
    SetThreadPriority(thread, priority);
}

void PreviewWorker::RunPass(HWND window)
{
    std::shared_ptr<const MonoBitmap> wallpaper;
    COLORREF fore, back;
    {
        Lock lock(requestLock_);
        if (pending_ || !wallpaper_) return;  // a newer wallpaper is on its way
        // Taken, not shared: the worker keeps no wallpaper between passes.
        wallpaper = std::move(wallpaper_);
        fore = foreColor_;
        back = backColor_;
    }
    RECT client = {};
    GetClientRect(window, &client);
    PreviewSize size;
    if (*wallpaper) size = FitPreviewSize(client.right, client.bottom, wallpaper->Width(), wallpaper->Height());
    PreviewBitmap bitmap = std::move(spare_);
    if (size.width <= 0 || size.height <= 0) {
        bitmap = PreviewBitmap();
    } else if (!bitmap.handle || bitmap.size.cx != size.width || bitmap.size.cy != size.height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.width;
        info.bmiHeader.biHeight = -size.height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = PreviewBitmap();
        bitmap.handle.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap.handle || !bits) return;  // no memory: the preview shown stays
        bitmap.bits = static_cast<uint32_t*>(bits);
        bitmap.size = {size.width, size.height};
    }
    if (bitmap.handle) ReduceToPreview(*wallpaper, size, fore, back, bitmap.bits);
    wallpaper.reset();  // a replaced wallpaper's memory may go back now
    if (pending_) {  // stale: dropped unseen
        spare_ = std::move(bitmap);
        return;
    }
    {
        Lock lock(previewLock_);
        std::swap(preview_, bitmap);
    }
    spare_ = std::move(bitmap);
    InvalidateRect(window, nullptr, TRUE);
}

void PreviewWorker::Paint(HDC dc, int x, int y)
{
    Lock lock(previewLock_);
    if (!preview_.handle) return;
    MemoryDC source(CreateCompatibleDC(dc));
    SelectObjectScope scope(source.Get(), preview_.handle.Get());
    BitBlt(dc, x, y, preview_.size.cx, preview_.size.cy, source.Get(), 0, 0, SRCCOPY);
}

SIZE PreviewWorker::Size()
{
    Lock lock(previewLock_);
    return preview_.size;
}

bool PreviewWorker::Running()
{
    Lock lock(requestLock_);
    return running_;
}
