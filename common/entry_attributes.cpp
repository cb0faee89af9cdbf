#include "common/entry_attributes.h"

bool FindFirstEntry(const std::string& path, WIN32_FIND_DATAA& found)
{
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

uint32_t EntryAttributes(const std::string& path)
{
    WIN32_FIND_DATAA found;
    return FindFirstEntry(path, found) ? NonZeroAttributes(found.dwFileAttributes) : 0;
}
