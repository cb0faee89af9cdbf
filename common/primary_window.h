#pragma once
#include <windows.h>

// The first top-level window (the information window): owner of the main
// window and of the generation summary and version prompt. Written once by
// the user-interface thread, read by the version-check thread too.
HWND PrimaryWindow();
void SetPrimaryWindow(HWND window);
