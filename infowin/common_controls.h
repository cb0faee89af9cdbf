#pragma once
#include <windows.h>

using InitCommonControlsFunction = void(WINAPI*)();
using CreateStatusWindowFunction = HWND(WINAPI*)(LONG, LPCSTR, HWND, UINT);

// The common-controls functions the information window's status bar needs.
struct CommonControlsFunctions {
    InitCommonControlsFunction initCommonControls = nullptr;
    CreateStatusWindowFunction createStatusWindow = nullptr;
};

extern CommonControlsFunctions commonControlsFunctions;

// "InitCommonControls" and "CreateStatusWindowA" in the system folder's
// comctl32.dll; a failure is fatal.
void LookUpCommonControls();
