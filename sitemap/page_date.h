#pragma once
#include <windows.h>

#include <string>

// A last-write time (UTC, as the file system keeps it) as "yyyy-MM-dd",
// through the platform's date formatting; empty when it cannot be formatted.
std::string FormatLastWriteDate(const FILETIME& lastWrite);
