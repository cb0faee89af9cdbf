#pragma once
#include "infowin/automation_functions.h"

#include <string>

// Late-bound calls into hosted ActiveX controls: creation by ProgID, member
// calls by name through IDispatch, and the process-wide COM start-up.

// Record 0: VT_I4 header holding the number of records that follow (the
// arguments plus one); records 1..n: the arguments, last argument first
// (the order of DISPPARAMS); record n+1: the member name as VT_LPSTR.
// Zeroed and packed afresh for every call.
struct ArgumentBlock {
    VARIANT records[32];
};
static_assert(sizeof(ArgumentBlock) == 512);

inline constexpr int kMaxArguments = 30;

// Once per process, after LookUpShellFunctions: looks up the layer's
// functions (a failure is fatal), enters a single-threaded apartment,
// initialises control hosting and empties the event tables.
void InitAutomation();

// Creates the control of progId inside host, leaves its IDispatch in object
// and connects its default events; each failing step shows its message.
void CreateHostedControl(ObjectRef& object, HWND host, const char* progId);

// Calls the member named in block as a method, no result asked for. A member
// the object does not know is reported and not called.
void CallMethod(ObjectRef object, ArgumentBlock& block);

// The platform's message text for code on one line; empty when it has none.
std::string SystemErrorText(HRESULT code);

// Packing helpers: an argument record holding text (the caller keeps the
// text alive during the call) and one standing for an omitted argument.
VARIANT TextArgument(const char* text);
VARIANT OmittedArgument();

// Zeroes block and packs it for member with arguments given first to last.
void PackCall(ArgumentBlock& block, const char* member, const VARIANT* arguments, int count);
