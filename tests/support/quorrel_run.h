#pragma once
#include "tools/driver/program_driver.h"

#include <windows.h>

#include <optional>
#include <string>

// A copy of the program started from a scratch folder of its own, so its
// settings file beside it is private to one test.
struct QuorrelRun {
    std::string folder;   // the program's folder, with trailing "\"
    std::string program;  // the copy's path
    ChildProcess child;
    HWND mainWindow = nullptr;
    HWND infoWindow = nullptr;

    HWND Control(QuorrelControl id) const { return GetDlgItem(mainWindow, id); }
    std::string SettingsPath() const { return folder + "tellurio.ini"; }
};

// Wine's load order for one library of one program ("" disables it,
// "native" takes the file beside the program).
struct DllLoadOrder {
    std::string dll;
    std::string loadOrder;
};

struct StartOptions {
    std::optional<std::string> settingsBytes;  // tellurio.ini beside the copy
    std::string program = "quorrel_localhost.exe";  // in the build folder; asks no outside host
    std::string copyName = "quorrel.exe";      // the copy's file name
    std::vector<DllLoadOrder> loadOrders;      // for the copy only, removed again by FinishQuorrel
    std::string fileBeside;                    // below build\tests\, copied beside the copy
    bool waitForMainWindow = true;
};

// Copies the program into a fresh folder and starts it there; waits until
// its main window shows (mainWindow stays null when it never does), unless
// told not to wait.
QuorrelRun StartQuorrel(const std::string& label, const StartOptions& options = {});

// Ends the program if it is still running and removes its folder.
void FinishQuorrel(QuorrelRun& run);

// Finishes a run when the test leaves its scope, however it leaves.
struct FinishedAtEnd {
    QuorrelRun& run;
    ~FinishedAtEnd() { FinishQuorrel(run); }
};

// Asks the main window to close as its close box does; answers the exit code.
std::optional<DWORD> CloseMainWindow(const QuorrelRun& run);

// Sets a field's text in the running program.
void SetFieldText(HWND field, const std::string& text);

// A window's rectangle: screen coordinates for top-level windows, the
// parent's client coordinates for child windows.
RECT PlacementOf(HWND window);

