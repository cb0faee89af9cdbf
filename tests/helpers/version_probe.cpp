// Runs the version check as the program does, against 127.0.0.1:PORT,
// beside a hidden primary window whose thread keeps its messages flowing.
#include "common/shell_functions.h"
#include "common/primary_window.h"
#include "update/version_check.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr DWORD kRunLimitMs = 30000;
unsigned short checkedPort = 0;

DWORD WINAPI CheckLocalServer(LPVOID)
{
    CheckForNewVersion("127.0.0.1", checkedPort, FetchLimits{50, 3000});
    return 0;
}

HWND CreateHiddenPrimaryWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VersionProbeWindow";
    RegisterClassA(&windowClass);
    return CreateWindowA("VersionProbeWindow", "Quillmarn", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

// Pumps this thread's messages until thread ends; false after the limit.
bool PumpUntilDone(HANDLE thread)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kRunLimitMs) {
        if (MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 99;
    LookUpShellFunctions();
    LookUpShellExecute();
    checkedPort = static_cast<unsigned short>(std::atoi(argv[1]));
    SetPrimaryWindow(CreateHiddenPrimaryWindow());
    HANDLE thread = CreateThread(nullptr, 0, CheckLocalServer, nullptr, 0, nullptr);
    return PumpUntilDone(thread) ? 0 : 98;
}
