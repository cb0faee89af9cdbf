#pragma once
#include <windows.h>

// A thread that takes work from the thread that started it: both sides hold
// lock while they look at the shared work and wait on changed for the other.
struct HelperThread {
    CRITICAL_SECTION lock;
    CONDITION_VARIABLE changed;
    bool stopping = false;
    HANDLE thread = nullptr;  // null when none could be started: the work is then done in place
};

void StartHelperThread(HelperThread& helper, LPTHREAD_START_ROUTINE run, void* parameter);
// Tells the thread to stop once its work is done, and waits for it.
void StopHelperThread(HelperThread& helper);
// Waits, lock held, until the other side changes something.
void WaitForChange(HelperThread& helper);
void SignalChange(HelperThread& helper);
