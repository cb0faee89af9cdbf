#include "common/entry_attributes.h"

uint32_t EntryAttributes(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return NonZeroAttributes(found.dwFileAttributes);
}
