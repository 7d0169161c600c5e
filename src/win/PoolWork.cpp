#include "win/PoolWork.h"

PoolWork::~PoolWork()
{
    if (!work_) return;
    WaitForThreadpoolWorkCallbacks(work_, FALSE);
    CloseThreadpoolWork(work_);
}

bool PoolWork::Submit()
{
    if (!work_) work_ = CreateThreadpoolWork(Run, this, nullptr);
    if (!work_) return false;
    SubmitThreadpoolWork(work_);
    return true;
}

void PoolWork::Wait()
{
    if (work_) WaitForThreadpoolWorkCallbacks(work_, FALSE);
}

VOID CALLBACK PoolWork::Run(PTP_CALLBACK_INSTANCE, void* context, PTP_WORK) { static_cast<PoolWork*>(context)->run_(); }
