// A stand-in "shell32.dll" without SHBrowseForFolder, put beside a copy of
// the program to make that start-up look-up fail; it is never called. Its
// copies "atl.dll" and "comctl32.dll" lack every function asked of them.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI SHGetPathFromIDList(void*, char*) { return FALSE; }
