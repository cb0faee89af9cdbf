#include "common/primary_window.h"

#include <atomic>

namespace {
std::atomic<HWND> primaryWindow{nullptr};
}

HWND PrimaryWindow() { return primaryWindow.load(); }
void SetPrimaryWindow(HWND window) { primaryWindow.store(window); }
