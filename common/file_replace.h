#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The one way the program replaces a file: the new bytes go to a temporary
// file beside it, marked to be deleted when it is closed, are flushed to
// disk, and the temporary file then loses the mark and takes the old one's
// place in one move. Until that move the old file is untouched; on any
// failure, or when the program is ended, the temporary file goes.

struct ReplaceOutcome {
    bool ok = false;
    std::string failureMessage;  // names the file and the platform's reason
};

// A replacement under way.
struct Replacement {
    std::wstring target;
    std::wstring temporary;  // empty when none could be made
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = 0;         // why the replacement failed
    bool failed = false;
    bool markedForDeletion = false;
    size_t unflushed = 0;    // bytes written since the last flush
};

// Makes the temporary file: "~q" and four hexadecimal digits, shorter than
// any name it replaces, so it fits wherever the target's path fits.
Replacement BeginReplacement(const std::wstring& target);

// Appends bytes to the temporary file, flushing them to disk every few
// megabytes; does nothing once a write failed.
void WriteReplacement(Replacement& replacement, std::string_view bytes);

// Flushes every byte written so far to disk; does nothing once a step failed.
void FlushReplacement(Replacement& replacement);

// Flushes what is not yet on disk, closes the temporary file, gives it the
// old file's attribute bits and the archive bit, and moves it in place of the
// target; a move refused for a moment is tried again for about a second.
ReplaceOutcome FinishReplacement(Replacement& replacement);

// Gives up a replacement that will not be finished: the temporary file goes.
void AbandonReplacement(Replacement& replacement);

// The three steps for a text held whole.
ReplaceOutcome ReplaceFileContents(const std::wstring& path, std::string_view text);

// Every platform call on the replacement's way, in one table, so a test can
// watch their order or make any one of them fail.
struct ReplacementCalls {
    decltype(&CreateFileW) createFile;
    decltype(&SetFileInformationByHandle) setFileInformation;
    decltype(&WriteFile) writeFile;
    decltype(&FlushFileBuffers) flushFileBuffers;
    decltype(&CloseHandle) closeHandle;
    decltype(&GetFileAttributesW) getFileAttributes;
    decltype(&SetFileAttributesW) setFileAttributes;
    decltype(&MoveFileExW) moveFileEx;
    decltype(&DeleteFileW) deleteFile;
    decltype(&Sleep) sleep;
};
extern ReplacementCalls replacementCalls;
