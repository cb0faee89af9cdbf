#include "frame/message_loop.h"

namespace {
bool loopRunning = false;
bool pumpRunning = false;
}  // namespace

WPARAM RunMessageLoop()
{
    if (loopRunning)
        return 0;
    loopRunning = true;
    MSG message;
    // GetMessageA answers -1 on a bad call; only the quit message (0) ends.
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    loopRunning = false;
    return message.wParam;
}

void PumpPendingMessages()
{
    if (pumpRunning)
        return;
    pumpRunning = true;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    pumpRunning = false;
}
