#pragma once
#include <windows.h>

// Runs until the quit message and answers its exit value; no dialog-style
// keys and no accelerators. A nested call returns 0 at once.
WPARAM RunMessageLoop();

// Handles every message already queued, without waiting for more; a quit
// message among them ends nothing. A nested call returns at once.
void PumpPendingMessages();
