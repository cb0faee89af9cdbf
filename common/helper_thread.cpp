#include "common/helper_thread.h"

namespace {

DWORD WINAPI HelperMain(void* parameter)
{
    HelperThread& helper = *static_cast<HelperThread*>(parameter);
    EnterCriticalSection(&helper.lock);
    for (;;) {
        if (helper.step(helper.work))
            continue;
        if (helper.stopping)
            break;
        WaitForChange(helper);
    }
    LeaveCriticalSection(&helper.lock);
    return 0;
}

}  // namespace

void StartHelperThread(HelperThread& helper, HelperStep step, void* work)
{
    InitializeCriticalSection(&helper.lock);
    InitializeConditionVariable(&helper.changed);
    helper.step = step;
    helper.work = work;
    helper.thread = CreateThread(nullptr, 0, HelperMain, &helper, 0, nullptr);
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
