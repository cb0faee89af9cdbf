#include "sitemap/page_date.h"

#include <cstdio>

std::string FormatLastWriteDate(const FILETIME& lastWrite)
{
    SYSTEMTIME date;
    if (!FileTimeToSystemTime(&lastWrite, &date))
        return {};
    // From the fields themselves: the user's locale may use another calendar.
    char text[16];
    snprintf(text, sizeof text, "%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
    return text;
}
