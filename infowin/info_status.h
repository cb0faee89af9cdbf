#pragma once
#include <windows.h>
#include <oaidl.h>

// The browser's events written to the information window's status bar.

// The status bar the handlers write to; set when the window is built.
extern HWND InfoStatusBar;

// ProgressChange (108): "<n>% complete"; a ProgressMax of 0 changes nothing.
void OnProgressChange(VARIANT* progress, VARIANT* progressMax);

// StatusTextChange (102): the text; the null record clears the bar.
void OnStatusTextChange(VARIANT* text);
