#pragma once
#include <windows.h>
#include <oaidl.h>

#include "common/platform_error_text.h"

#include <string>

// Late-bound calls into hosted ActiveX controls: creation by ProgID, member
// calls by name through IDispatch, and the process-wide COM start-up.

// The caller's interface-pointer variable; null means there is no object.
using ObjectRef = IDispatch*;

// Record 0: VT_I4 header holding the number of records that follow (the
// arguments plus one); records 1..n: the arguments, last argument first
// (the order of DISPPARAMS); record n+1: the member name as VT_LPSTR.
// Zeroed and packed afresh for every call.
struct ArgumentBlock {
    VARIANT records[32];
};
static_assert(sizeof(ArgumentBlock) == 512);

inline constexpr int kMaxArguments = 30;
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
using RtlZeroMemoryFunction = void(WINAPI*)(PVOID, SIZE_T);

// The platform functions the layer looks up by name in InitAutomation.
struct AutomationFunctions {
    CoInitializeFunction coInitialize = nullptr;
    FormatMessageFunction formatMessage = nullptr;
    MultiByteToWideCharFunction multiByteToWideChar = nullptr;
    WideCharToMultiByteFunction wideCharToMultiByte = nullptr;
    AtlAxWinInitFunction atlAxWinInit = nullptr;
    AtlAxCreateControlFunction atlAxCreateControl = nullptr;
    AtlAxGetControlFunction atlAxGetControl = nullptr;
    RtlZeroMemoryFunction rtlZeroMemory = nullptr;
};

extern AutomationFunctions automationFunctions;

// Once per process, after LookUpShellFunctions: looks up CoInitialize in
// ole32, then kernel32's text functions, then ATL.DLL's hosting functions,
// then RtlZeroMemory (a failure is fatal); enters a single-threaded
// apartment, initialises control hosting and empties the event tables.
void InitAutomation();

// Creates the control of progId inside host, leaves its IDispatch in object
// and connects its default events; each failing step shows its message.
void CreateHostedControl(ObjectRef& object, HWND host, const char* progId);

// Calls the member named in block as a method, no result asked for. A member
// the object does not know is reported and not called.
void CallMethod(ObjectRef object, ArgumentBlock& block);

// QueryInterface for the identifier spelt as "{xxxxxxxx-xxxx-xxxx-xxxx-
// xxxxxxxxxxxx}"; null on failure.
void* QueryInterfaceByText(void* object, const char* interfaceText);

// The platform's message text for code on one line; empty when it has none.
std::string SystemErrorText(HRESULT code);

// Packing helpers: an argument record holding text (the caller keeps the
// text alive during the call) and one standing for an omitted argument.
VARIANT TextArgument(const char* text);
VARIANT OmittedArgument();

// Zeroes block and packs it for member with arguments given first to last.
void PackCall(ArgumentBlock& block, const char* member, const VARIANT* arguments, int count);
