#pragma once
#include <windows.h>

#include <string>

// What tells one folder from another, whatever path led to it.
struct FolderIdentity {
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

// A folder opened for listing; handle is INVALID_HANDLE_VALUE when it could not be.
struct OpenedFolder {
    HANDLE handle = INVALID_HANDLE_VALUE;
    FolderIdentity identity;
};

// Opens folders a little ahead of the walk, in the order they are asked
// for, and closes listed ones behind it, on a thread of its own: opening
// and closing wait on the platform, and the walk lists meanwhile.
struct FolderOpener;

FolderOpener* StartFolderOpener();
void OpenAhead(FolderOpener& opener, std::wstring folderPath);
// The next folder asked for; an invalid handle when none is outstanding.
OpenedFolder TakeOpened(FolderOpener& opener);
void CloseBehind(FolderOpener& opener, HANDLE folder);
// Closes whatever is still open and ends the thread.
void StopFolderOpener(FolderOpener* opener);
