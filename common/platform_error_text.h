#pragma once
#include <windows.h>

#include <string>

using FormatMessageFunction = DWORD(WINAPI*)(DWORD, LPCVOID, DWORD, DWORD, LPSTR, DWORD, va_list*);

// The platform's message text for code as one line (carriage returns and
// line feeds removed); empty when the platform has none. format is the
// FormatMessageA to use, so callers that look it up by name can pass theirs.
std::string PlatformErrorText(DWORD code, FormatMessageFunction format = ::FormatMessageA);
