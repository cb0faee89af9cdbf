#include "app/start_up.h"
#include "common/fatal_report.h"
#include "common/named_lookup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LimitLibrarySearchToSystemFolder();
    InstallMemoryFailureHook();
    RunProgram();
}
