#pragma once
#include "update/http_fetch.h"
#include "update/text_to_number.h"

#include <windows.h>

#include <string>

// Reads the version announced by the server at host and port and, when it
// is numerically greater than the program's own, asks the user whether to
// open the home page; Yes opens it.
void CheckForNewVersion(const std::string& host, unsigned short port, const FetchLimits& limits);

// Thread body: the check against the maker's web server.
DWORD WINAPI VersionCheck(LPVOID);
