#pragma once
// Worker threads that nobody waits for: started at a given priority, their
// handle released at once, so they clean up after themselves when they return.

#include <windows.h>

using WorkerProc = DWORD(WINAPI*)(void* parameter);

// False when the thread could not be created.
bool StartWorkerThread(WorkerProc proc, void* parameter, int priority);
