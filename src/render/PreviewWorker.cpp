#include "render/PreviewWorker.h"

#include "render/PreviewScaler.h"
#include "win/WorkerThread.h"

namespace {

volatile long threadsRunningInProcess = 0;

}  // namespace

long PreviewWorker::ThreadsRunningInProcess() { return InterlockedCompareExchange(&threadsRunningInProcess, 0, 0); }

PreviewWorker::~PreviewWorker()
{
    {
        CriticalSectionLock lock(requestLock_);
        window_ = nullptr;
        pending_ = true;  // a pass under way drops its result
    }
    while (InterlockedCompareExchange(&liveThreads_, 0, 0) != 0) Sleep(1);
}

void PreviewWorker::SetWindow(HWND window)
{
    CriticalSectionLock lock(requestLock_);
    window_ = window;
}

void PreviewWorker::Request(std::shared_ptr<const MonoBitmap> wallpaper, COLORREF foreColor, COLORREF backColor)
{
    CriticalSectionLock lock(requestLock_);
    pending_ = true;
    wallpaper_ = std::move(wallpaper);
    foreColor_ = foreColor;
    backColor_ = backColor;
    // Without a window no preview is wanted: a thread would end at once.
    if (running_ || !window_) return;
    running_ = true;
    const long live = InterlockedIncrement(&liveThreads_);
    if (live > threadsAtOnce_) threadsAtOnce_ = live;
    InterlockedIncrement(&threadsRunningInProcess);
    if (StartWorkerThread(ThreadProc, this, THREAD_PRIORITY_IDLE)) {
        InterlockedIncrement(&threadsStarted_);
    } else {
        running_ = false;
        InterlockedDecrement(&threadsRunningInProcess);
        InterlockedDecrement(&liveThreads_);
    }
}

void PreviewWorker::Withdraw()
{
    CriticalSectionLock lock(requestLock_);
    wallpaper_.reset();
}

DWORD WINAPI PreviewWorker::ThreadProc(void* parameter)
{
    auto* worker = static_cast<PreviewWorker*>(parameter);
    for (;;) {
        HWND window;
        {
            CriticalSectionLock lock(worker->requestLock_);
            window = worker->window_;
            worker->pending_ = false;
        }
        if (window) worker->RunPass(window);
        // Checked and cleared under the lock that requests take, so no request is lost.
        CriticalSectionLock lock(worker->requestLock_);
        if (worker->pending_ && worker->window_) continue;
        worker->running_ = false;
        break;
    }
    InterlockedDecrement(&threadsRunningInProcess);
    // The last touch of the worker: its destructor waits for this count to reach 0.
    InterlockedDecrement(&worker->liveThreads_);
    return 0;
}

void PreviewWorker::RunPass(HWND window)
{
    std::shared_ptr<const MonoBitmap> wallpaper;
    COLORREF fore, back;
    {
        CriticalSectionLock lock(requestLock_);
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
        CriticalSectionLock lock(previewLock_);
        std::swap(preview_, bitmap);
    }
    spare_ = std::move(bitmap);
    InvalidateRect(window, nullptr, TRUE);
}

void PreviewWorker::Paint(HDC dc, int x, int y)
{
    CriticalSectionLock lock(previewLock_);
    if (!preview_.handle) return;
    MemoryDC source(CreateCompatibleDC(dc));
    SelectObjectScope scope(source.Get(), preview_.handle.Get());
    BitBlt(dc, x, y, preview_.size.cx, preview_.size.cy, source.Get(), 0, 0, SRCCOPY);
}

SIZE PreviewWorker::Size()
{
    CriticalSectionLock lock(previewLock_);
    return preview_.size;
}

bool PreviewWorker::Running()
{
    CriticalSectionLock lock(requestLock_);
    return running_;
}
