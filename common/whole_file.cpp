#include "common/whole_file.h"

#include <windows.h>

#include <algorithm>

namespace {

std::optional<std::string> ReadOpened(HANDLE file, size_t maxBytes)
{
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

HANDLE OpenForReading(const std::wstring& path, DWORD disposition)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t maxBytes)
{
    return ReadOpened(OpenForReading(path, OPEN_ALWAYS), maxBytes);
}

std::optional<std::string> ReadExistingFile(const std::wstring& path, size_t maxBytes)
{
    return ReadOpened(OpenForReading(path, OPEN_EXISTING), maxBytes);
}
