#include "sitemap/page_date.h"

std::string FormatLastWriteDate(const FILETIME& lastWrite)
{
    SYSTEMTIME date;
    if (!FileTimeToSystemTime(&lastWrite, &date))
        return {};
    char text[32] = {};
    int length = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, "yyyy-MM-dd", text, sizeof text);
    return length > 0 ? std::string(text, length - 1) : std::string();
}
