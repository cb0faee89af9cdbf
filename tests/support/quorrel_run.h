#pragma once
#include "tools/driver/program_driver.h"

#include <functional>

// A copy of the program started in a scratch folder of its own, with a settings file private to one test.
struct QuorrelRun {
    std::string folder;   // with trailing "\"
    std::string program;  // the copy's path
    ChildProcess child;
    HWND mainWindow = nullptr;
    HWND infoWindow = nullptr;
    HANDLE processes = nullptr;  // a job holding the program and what it starts

    HWND Control(QuorrelControl id) const { return GetDlgItem(mainWindow, id); }
    std::string SettingsPath() const { return folder + "tellurio.ini"; }
};

struct StartOptions {
    std::string program = "quorrel_localhost.exe";     // below the build folder; asks no outside host
    std::string arguments{};                           // after the copy's quoted path
    std::string copyName = "quorrel.exe";              // the copy's file name
    // Wine's load order of a library for the copy ("" disables it, "native" takes the file beside it).
    std::vector<std::pair<std::string, std::string>> loadOrders{};
    std::string fileBeside{};                          // below build\tests\, copied beside the copy
    std::function<void(const QuorrelRun&)> prepare{};  // runs last before the start
    bool waitForMainWindow = true;                     // mainWindow stays null when it never shows
};

// Wine's per-program load orders: a Wine process's environment does not reach the loader of those it starts.
std::string LoadOrderKey(const std::string& program);

QuorrelRun StartQuorrel(const std::string& label, const StartOptions& options = {});

// However the test leaves: ends the program and what it started, removes its folder and load orders.
struct FinishedAtEnd {
    QuorrelRun& run;
    ~FinishedAtEnd();
};

// Closes the main window as its close box does; answers the exit code.
inline std::optional<DWORD> CloseMainWindow(const QuorrelRun& run)
{
    PostMessageA(run.mainWindow, WM_CLOSE, 0, 0);
    return WaitForExit(run.child, 10000);
}

inline void SetFieldText(HWND field, const std::string& text)
{
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
}
