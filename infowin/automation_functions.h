#pragma once
#include <windows.h>
#include <oaidl.h>

#include "common/platform_error_text.h"

#include <string>

// What the automation layer and its event sink share: the platform
// functions looked up by name, the caller's object variable and the result
// of the last platform call.

// The caller's interface-pointer variable; null means there is no object.
using ObjectRef = IDispatch*;

inline constexpr HRESULT kEmptyObjectStatus = static_cast<HRESULT>(0x80000005);

// Result of the layer's last platform call, kEmptyObjectStatus when an
// operation was asked of an empty ObjectRef; -1 before the first operation.
extern HRESULT LastStatus;

using CoInitializeFunction = HRESULT(WINAPI*)(LPVOID);
using MultiByteToWideCharFunction = int(WINAPI*)(UINT, DWORD, LPCCH, int, LPWSTR, int);
using WideCharToMultiByteFunction = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxCreateControlFunction = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

struct AutomationFunctions {
    CoInitializeFunction coInitialize = nullptr;
    FormatMessageFunction formatMessage = nullptr;
    MultiByteToWideCharFunction multiByteToWideChar = nullptr;
    WideCharToMultiByteFunction wideCharToMultiByte = nullptr;
    AtlAxWinInitFunction atlAxWinInit = nullptr;
    AtlAxCreateControlFunction atlAxCreateControl = nullptr;
    AtlAxGetControlFunction atlAxGetControl = nullptr;
};

extern AutomationFunctions automationFunctions;

// After LookUpShellFunctions: CoInitialize in ole32, then kernel32's text
// functions, then the hosting functions of the system folder's ATL.DLL; a
// failure is fatal.
void LookUpAutomationFunctions();

// Wide text in the ANSI code page; empty for a null or empty text.
std::string AnsiFromWide(const wchar_t* text);

// QueryInterface for the identifier spelt as "{xxxxxxxx-xxxx-xxxx-xxxx-
// xxxxxxxxxxxx}"; null on failure.
void* QueryInterfaceByText(void* object, const char* interfaceText);
