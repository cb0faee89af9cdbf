#pragma once
#include <windows.h>

// Start-up look-ups by name: a library that cannot be loaded or a function
// that cannot be found ends the process through its fatal report.
HMODULE LoadLibraryOrReport(const char* fileName);
FARPROC LookUpOrReport(HMODULE library, const char* functionName);

template <typename Function>
Function LookUpFunction(HMODULE library, const char* functionName)
{
    return reinterpret_cast<Function>(LookUpOrReport(library, functionName));
}
