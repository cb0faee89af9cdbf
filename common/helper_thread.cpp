#include "common/helper_thread.h"

void StartHelperThread(HelperThread& helper, LPTHREAD_START_ROUTINE run, void* parameter)
{
    InitializeCriticalSection(&helper.lock);
    InitializeConditionVariable(&helper.changed);
    helper.thread = CreateThread(nullptr, 0, run, parameter, 0, nullptr);
}

void StopHelperThread(HelperThread& helper)
{
    if (helper.thread) {
        EnterCriticalSection(&helper.lock);
        helper.stopping = true;
        LeaveCriticalSection(&helper.lock);
        SignalChange(helper);
        WaitForSingleObject(helper.thread, INFINITE);
        CloseHandle(helper.thread);
    }
    DeleteCriticalSection(&helper.lock);
}

void WaitForChange(HelperThread& helper) { SleepConditionVariableCS(&helper.changed, &helper.lock, INFINITE); }

void SignalChange(HelperThread& helper) { WakeAllConditionVariable(&helper.changed); }
