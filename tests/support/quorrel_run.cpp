#include "support/quorrel_run.h"

#include "support/test_paths.h"

#include <tlhelp32.h>

namespace {

constexpr DWORD kStartTimeoutMs = 20000;

// Wine's per-program setting: the environment of a Wine process does not
// reach the loader of the processes it starts.
std::string LoadOrderKey(const std::string& programName)
{
    return "Software\\Wine\\AppDefaults\\" + programName + "\\DllOverrides";
}

void SetLoadOrders(const std::string& programName, const std::vector<DllLoadOrder>& loadOrders)
{
    HKEY key = nullptr;
    if (loadOrders.empty() || RegCreateKeyExA(HKEY_CURRENT_USER, LoadOrderKey(programName).c_str(), 0, nullptr, 0,
                                              KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (const DllLoadOrder& order : loadOrders)
        RegSetValueExA(key, order.dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order.loadOrder.c_str()),
                       static_cast<DWORD>(order.loadOrder.size() + 1));
    RegCloseKey(key);
}

// Processes the program started itself, such as the surrogate COM starts
// when a control cannot be loaded into the program; they would otherwise
// outlive the test and hold its output open.
void EndProcessesStartedBy(DWORD parentId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId)
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process)
            continue;
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

std::string ProgramName(const QuorrelRun& run) { return run.program.substr(run.program.find_last_of('\\') + 1); }

}  // namespace

QuorrelRun StartQuorrel(const std::string& label, const StartOptions& options)
{
    QuorrelRun run;
    run.folder = MakeScratchFolder(label);
    run.program = run.folder + options.copyName;
    CopyFileA((TestProgramFolder() + "..\\" + options.program).c_str(), run.program.c_str(), FALSE);
    SetLoadOrders(options.copyName, options.loadOrders);
    if (options.settingsBytes)
        PutFile(run.SettingsPath(), *options.settingsBytes);
    if (!options.fileBeside.empty()) {
        std::string name = options.fileBeside.substr(options.fileBeside.find_last_of('\\') + 1);
        CopyFileA((TestProgramFolder() + options.fileBeside).c_str(), (run.folder + name).c_str(), FALSE);
    }
    run.child = StartProcess("\"" + run.program + "\"", run.folder);
    if (!options.waitForMainWindow)
        return run;
    run.mainWindow = WaitForWindow(run.child.id, kMainCaption, kStartTimeoutMs);
    if (run.mainWindow)
        run.infoWindow = GetWindow(run.mainWindow, GW_OWNER);
    return run;
}

void FinishQuorrel(QuorrelRun& run)
{
    if (run.child.process) {
        if (!WaitForExit(run.child, 0)) {
            TerminateProcess(run.child.process, 99);
            WaitForExit(run.child, 5000);
        }
        EndProcessesStartedBy(run.child.id);
        CloseHandle(run.child.process);
        run.child = {};
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, LoadOrderKey(ProgramName(run)).c_str());
    RemoveTree(run.folder);
}

std::optional<DWORD> CloseMainWindow(const QuorrelRun& run)
{
    PostMessageA(run.mainWindow, WM_CLOSE, 0, 0);
    return WaitForExit(run.child, 10000);
}

void SetFieldText(HWND field, const std::string& text)
{
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}

RECT PlacementOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

