#include "common/wide_text.h"

#include <windows.h>

std::wstring WideFromAnsi(std::string_view text)
{
    int length = static_cast<int>(text.size());
    int count = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count > 0 ? count : 0), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), count);
    return wide;
}

std::string AnsiFromWide(std::wstring_view text)
{
    int length = static_cast<int>(text.size());
    int count = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(count > 0 ? count : 0), '\0');
    if (count > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), count, nullptr, nullptr);
    return ansi;
}
