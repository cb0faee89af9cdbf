#include "sitemap/volume_root.h"

#include <windows.h>

std::wstring FullFolderPath(const std::wstring& folder)
{
    DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    DWORD length = size ? GetFullPathNameW(folder.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size)
        return folder;
    full.resize(length);
    return full;
}

bool IsVolumeRoot(const std::wstring& fullPath)
{
    std::wstring volume(fullPath.size() + MAX_PATH, L'\0');
    if (!GetVolumePathNameW(fullPath.c_str(), volume.data(), static_cast<DWORD>(volume.size())))
        return false;
    volume.resize(wcslen(volume.c_str()));
    return CompareStringOrdinal(volume.c_str(), -1, fullPath.c_str(), -1, TRUE) == CSTR_EQUAL;
}
