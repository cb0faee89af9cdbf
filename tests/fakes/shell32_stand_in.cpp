// A stand-in "shell32.dll" put beside the program to make one of its
// start-up look-ups fail; the functions it does export are never called.
#include <windows.h>

extern "C" {

__declspec(dllexport) BOOL WINAPI SHGetPathFromIDList(void*, char*) { return FALSE; }

#ifndef WITHOUT_SHBROWSEFORFOLDER
__declspec(dllexport) void* WINAPI SHBrowseForFolder(void*) { return nullptr; }
#endif

}
