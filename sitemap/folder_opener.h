#pragma once
#include <windows.h>

#include <string>

// What tells one folder from another, whatever path led to it: the
// volume's serial number and the folder's file id there, laid out as
// Windows 8's FILE_ID_INFO (the headers hold it back from a Windows 7 build).
struct FolderId {
    ULONGLONG volume;
    BYTE file[16];
};
struct FolderIdentity {
    bool known = false;
    FolderId id = {};
};

// A folder opened for listing; handle is INVALID_HANDLE_VALUE when it could
// not be, and error then says why.
struct OpenedFolder {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    FolderIdentity identity;
};

// The call that asks a folder's identity; a test puts its own in place.
extern decltype(&GetFileInformationByHandleEx) identityRequest;

// A folder asked for ahead of its turn. It stays where it is until taken:
// the opener's thread fills in opened.
struct FolderToOpen {
    std::wstring folderPath;  // the full path, as the user would write it
    OpenedFolder opened;
    bool ready = false;
};

// Opens folders a little ahead of the walk, in the order they are asked
// for, and closes listed ones behind it, on a thread of its own: opening
// and closing wait on the platform, and the walk lists meanwhile.
struct FolderOpener;

FolderOpener* StartFolderOpener();
void OpenAhead(FolderOpener& opener, FolderToOpen& folder);
// Waits until folder is open; every folder asked for is taken once.
OpenedFolder TakeOpened(FolderOpener& opener, FolderToOpen& folder);
void CloseBehind(FolderOpener& opener, HANDLE folder);
// Ends the thread and closes what is left open, folders opened ahead and
// never taken included.
void StopFolderOpener(FolderOpener* opener);
