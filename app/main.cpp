#include "app/start_up.h"
#include "common/fatal_report.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InstallMemoryFailureHook();
    RunProgram();
}
