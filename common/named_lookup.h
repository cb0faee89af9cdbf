#pragma once
#include <windows.h>

// Start-up look-ups by name: a library that cannot be loaded or a function
// that cannot be found ends the process through its fatal report.
HMODULE LoadLibraryOrReport(const char* fileName);
FARPROC LookUpOrReport(HMODULE library, const char* functionName);

// For a library that is not one of the system's known DLLs: loaded by its
// full path in the system folder, so that a file of that name put beside
// the program is never taken instead. The report names fileName alone.
HMODULE LoadSystemLibraryOrReport(const char* fileName);

// First thing at start-up: a library that the program or a system library
// loads by bare name is looked for in the system folder alone, where Windows
// can (8 and later, 7 with update KB2533623), and never in the current folder.
void LimitLibrarySearchToSystemFolder();

template <typename Function>
Function LookUpFunction(HMODULE library, const char* functionName)
{
    return reinterpret_cast<Function>(LookUpOrReport(library, functionName));
}
