#include "common/named_lookup.h"

#include "common/fatal_report.h"

#include <string>

namespace {

// Empty when the system folder cannot be had. A 32-bit program on 64-bit
// Windows is given System32 here and reaches SysWOW64 through it.
std::string SystemFolderPath(const char* fileName)
{
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string path(folder, length);
    if (path.back() != '\\')
        path += '\\';
    return path + fileName;
}

}  // namespace

HMODULE LoadLibraryOrReport(const char* fileName)
{
    HMODULE library = LoadLibraryA(fileName);
    if (!library)
        FatalReport(FatalErrorCode::LibraryNotFound, fileName);
    return library;
}

HMODULE LoadSystemLibraryOrReport(const char* fileName)
{
    std::string path = SystemFolderPath(fileName);
    // The altered search makes the library's own imports come from its
    // folder too, rather than from the program's.
    HMODULE library = path.empty() ? nullptr : LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library)
        FatalReport(FatalErrorCode::LibraryNotFound, fileName);
    return library;
}

void LimitLibrarySearchToSystemFolder()
{
    // Not in Windows 7 without the update, so looked up by name, and not fatal when missing.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"));
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Where that is missing, the folder beside the program stays first in the search.
    SetDllDirectoryW(L"");
}

FARPROC LookUpOrReport(HMODULE library, const char* functionName)
{
    FARPROC function = GetProcAddress(library, functionName);
    if (!function)
        FatalReport(FatalErrorCode::FunctionNotFound, functionName);
    return function;
}
