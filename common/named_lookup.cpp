#include "common/named_lookup.h"

#include "common/fatal_report.h"

HMODULE LoadLibraryOrReport(const char* fileName)
{
    HMODULE library = LoadLibraryA(fileName);
    if (!library)
        FatalReport(FatalErrorCode::LibraryNotFound, fileName);
    return library;
}

FARPROC LookUpOrReport(HMODULE library, const char* functionName)
{
    FARPROC function = GetProcAddress(library, functionName);
    if (!function)
        FatalReport(FatalErrorCode::FunctionNotFound, functionName);
    return function;
}
