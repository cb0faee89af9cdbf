#include "support/own_message_boxes.h"

#include <atomic>
#include <thread>

std::vector<MessageBoxSeen> AnswerOwnMessageBoxes(const std::function<void()>& action, int button)
{
    std::atomic<bool> stop = false;
    std::vector<MessageBoxSeen> seen;
    std::thread watch([&] {
        while (!stop)
            if (std::optional<MessageBoxSeen> box = WaitForMessageBox(GetCurrentProcessId(), 50)) {
                seen.push_back(*box);
                AnswerMessageBox(box->window, button);
                WaitUntil([&] { return !IsWindow(box->window); }, 5000);
            }
    });
    action();
    stop = true;
    watch.join();
    return seen;
}
