#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The one way the program replaces a file: the new bytes go to a temporary
// file beside it, are flushed to disk, and the temporary file then takes the
// old one's place in one move. Until that move the old file is untouched;
// on any failure the temporary file is removed.

struct ReplaceOutcome {
    bool ok = false;
    std::string failureMessage;  // names the file and the platform's reason
};

// A replacement under way.
struct Replacement {
    std::string target;
    std::string temporary;  // empty when none could be made
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = 0;        // why the replacement failed
    bool failed = false;
    size_t unflushed = 0;   // bytes written since the last flush
};

// Makes the temporary file: "~q" and four hexadecimal digits, shorter than
// any name it replaces, so it fits wherever the target's path fits.
Replacement BeginReplacement(const std::string& target);

// Appends bytes to the temporary file, flushing them to disk every few
// megabytes; does nothing once a write failed.
void WriteReplacement(Replacement& replacement, std::string_view bytes);

// Flushes and closes the temporary file, gives it the old file's attribute
// bits and moves it in place of the target.
ReplaceOutcome FinishReplacement(Replacement& replacement);

// The three steps for a text held whole.
ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text);

// The write the replacement makes; a test puts one that fails in its place.
using WriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern WriteFunction replacementWrite;
