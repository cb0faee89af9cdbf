#include "app/fatal_report.h"
#include "app/start_up.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InstallMemoryFailureHook();
    RunProgram();
}
