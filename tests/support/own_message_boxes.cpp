#include "support/own_message_boxes.h"

namespace {

struct Watch {
    int button = IDOK;
    volatile LONG stop = 0;
    std::vector<MessageBoxSeen> seen;
};

DWORD WINAPI WatchBoxes(LPVOID data)
{
    auto* watch = static_cast<Watch*>(data);
    while (!InterlockedCompareExchange(&watch->stop, 0, 0)) {
        std::optional<MessageBoxSeen> box = WaitForMessageBox(GetCurrentProcessId(), 50);
        if (!box)
            continue;
        watch->seen.push_back(*box);
        AnswerMessageBox(box->window, watch->button);
        WaitUntil([&] { return !IsWindow(box->window); }, 5000);
    }
    return 0;
}

}  // namespace

std::vector<MessageBoxSeen> AnswerOwnMessageBoxes(const std::function<void()>& action, int button)
{
    Watch watch;
    watch.button = button;
    HANDLE thread = CreateThread(nullptr, 0, WatchBoxes, &watch, 0, nullptr);
    action();
    InterlockedExchange(&watch.stop, 1);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return watch.seen;
}
