#include "common/anti_debug.h"

#include <windows.h>

void AntiDebuggingCheck()
{
    if (IsDebuggerPresent())
        ExitProcess(0);
}
