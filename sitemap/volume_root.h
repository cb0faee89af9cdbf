#pragma once
#include <string>

// The full path of a folder (ending in "\"), as the platform completes a
// relative or drive-relative one; the path itself when it cannot.
std::wstring FullFolderPath(const std::wstring& folder);

// Whether a full folder path is the root of a drive, share or mounted
// volume, where the system keeps folders of its own.
bool IsVolumeRoot(const std::wstring& fullPath);
