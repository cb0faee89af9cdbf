#include "common/platform_error_text.h"

std::string PlatformErrorText(DWORD code, FormatMessageFunction format)
{
    char buffer[261] = {};
    DWORD length = format(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                          buffer, 260, nullptr);
    std::string text;
    for (DWORD i = 0; i < length && i < 260; ++i)
        if (buffer[i] != '\r' && buffer[i] != '\n')
            text += buffer[i];
    return text;
}
