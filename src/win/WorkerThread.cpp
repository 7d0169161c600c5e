#include "win/WorkerThread.h"

#include "win/Handles.h"

bool StartWorkerThread(WorkerProc proc, void* parameter, int priority)
{
    KernelHandle thread(CreateThread(nullptr, 0, proc, parameter, CREATE_SUSPENDED, nullptr));
    if (!thread) return false;
    SetThreadPriority(thread.Get(), priority);
    ResumeThread(thread.Get());
    return true;
}
