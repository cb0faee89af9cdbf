#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Driving a running Quorrel from outside as a user would: starting it,
// finding its windows, pressing its buttons, reading and answering its
// message boxes. Used by the demonstration of `make run` and by the tests.

// Control identifiers in creation order: the information window, its host
// and status bar, the main window, then the main window's controls.
enum QuorrelControl {
    kInfoWindowId = 0, kBrowserHostId, kStatusBarId, kMainWindowId,
    kWebAddressLabelId, kWebAddressFieldId, kPageFolderLabelId, kPageFolderFieldId,
    kBrowseButtonId, kCreateButtonId, kHtmlMapCheckBoxId, kHomepageButtonId,
};

inline constexpr char kMainCaption[] = "Quorrel 2.3";
inline constexpr char kInfoCaption[] = "BRISKEL FREEWARE";

struct ChildProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts commandLine in folder (empty: the current folder); the handle is
// the caller's to close.
ChildProcess StartProcess(const std::string& commandLine, const std::string& folder = {});

// The exit code, or nullopt when the process is still running after timeoutMs.
std::optional<DWORD> WaitForExit(const ChildProcess& child, DWORD timeoutMs);

struct MessageBoxSeen {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // texts in window order
    bool hasIcon = false;
};

// Waits up to timeoutMs for a visible message box of processId (0: any).
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Answers a message box with one of its buttons (IDOK, IDYES, IDNO, ...).
void AnswerMessageBox(HWND box, int buttonId);

// Waits up to timeoutMs for a visible top-level window of processId whose
// caption is caption.
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs);

// The visible top-level windows of a process, front first.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// Presses a push button or check box without waiting for what it starts.
void PressButton(HWND button);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// Polls condition every few milliseconds until it holds or timeoutMs passes.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}
