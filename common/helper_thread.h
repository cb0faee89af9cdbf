#pragma once
#include <windows.h>

// What a helper thread does once, with the lock held (it may let go of the
// lock while it works); false when there is nothing to do for now.
using HelperStep = bool (*)(void* work);

// A thread that takes work from the thread that started it: both sides hold
// lock while they look at the shared work and wait on changed for the other.
struct HelperThread {
    CRITICAL_SECTION lock;
    CONDITION_VARIABLE changed;
    bool stopping = false;
    HelperStep step = nullptr;
    void* work = nullptr;
    HANDLE thread = nullptr;  // null when none could be started: the work is then done in place
};

// Starts a thread that does step after step, waiting for a change whenever
// there is nothing to do.
void StartHelperThread(HelperThread& helper, HelperStep step, void* work);
// Tells the thread to stop once it has nothing left to do, and waits for it.
void StopHelperThread(HelperThread& helper);
// Waits, lock held, until the other side changes something.
void WaitForChange(HelperThread& helper);
void SignalChange(HelperThread& helper);
