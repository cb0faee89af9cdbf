#include "common/whole_file.h"

#include <windows.h>

#include <algorithm>

std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t maxBytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    std::string text(static_cast<size_t>(std::min<ULONGLONG>(size.QuadPart, maxBytes)), '\0');
    DWORD read = 0;
    BOOL ok = text.empty() || ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    text.resize(read);
    return text;
}
