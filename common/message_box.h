#pragma once
#include <windows.h>

// The one place the program shows a message box; answers the button pressed.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style);
