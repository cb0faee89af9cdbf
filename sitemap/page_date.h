#pragma once
#include <windows.h>

#include <string>

// A last-write time (UTC, as the file system keeps it) as its Gregorian
// "yyyy-MM-dd"; empty when it is no calendar time.
std::string FormatLastWriteDate(const FILETIME& lastWrite);
