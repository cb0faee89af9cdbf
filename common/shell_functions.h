#pragma once
#include <windows.h>
#include <shlobj.h>

using CoTaskMemFreeFunction = void(WINAPI*)(LPVOID);
using GetPathFromIdListFunction = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);
using BrowseForFolderFunction = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFunction = void(WINAPI*)();

// Platform functions the program looks up by name at start-up rather than
// linking, with the two libraries they come from.
struct ShellFunctions {
    HMODULE ole32 = nullptr;
    HMODULE shell32 = nullptr;
    CoTaskMemFreeFunction coTaskMemFree = nullptr;
    GetPathFromIdListFunction getPathFromIdList = nullptr;
    BrowseForFolderFunction browseForFolder = nullptr;
    ShellExecuteFunction shellExecute = nullptr;
    CoInitializeExFunction coInitializeEx = nullptr;
    CoUninitializeFunction coUninitialize = nullptr;
};

extern ShellFunctions shellFunctions;

// "ole32.dll" with "CoTaskMemFree", then "shell32.dll" with
// "SHGetPathFromIDList" and "SHBrowseForFolder"; a failure is fatal.
void LookUpShellFunctions();

// "ShellExecuteA" in the shell32 already loaded, then "CoInitializeEx" and
// "CoUninitialize" in ole32 for a thread that calls it without COM of its
// own; a failure is fatal.
void LookUpShellExecute();
