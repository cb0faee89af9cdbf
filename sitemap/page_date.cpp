#include "sitemap/page_date.h"

#include <cstdint>

namespace {

constexpr uint64_t kTicksPerDay = 864000000000;  // of 100 ns
constexpr int64_t kDaysFrom1601To1970 = 134774;

struct CivilDate {
    int64_t year;
    unsigned month;
    unsigned day;
};

// The Gregorian date of a day counted from 1970-01-01 (days_from_civil's
// inverse, in 400-year eras of 146,097 days).
CivilDate CivilFromDays(int64_t days)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
    unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

void AppendDigits(std::string& text, uint64_t value, int atLeast)
{
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value || count < atLeast);
    while (count)
        text += digits[--count];
}

}  // namespace

std::string FormatLastWriteDate(const FILETIME& lastWrite)
{
    uint64_t ticks = (uint64_t(lastWrite.dwHighDateTime) << 32) | lastWrite.dwLowDateTime;
    if (ticks >> 63)
        return {};  // no calendar time, as the platform's conversion holds too
    // Worked out here, not through the locale, which may use another calendar.
    CivilDate date = CivilFromDays(static_cast<int64_t>(ticks / kTicksPerDay) - kDaysFrom1601To1970);
    std::string text;
    AppendDigits(text, static_cast<uint64_t>(date.year), 4);
    text += '-';
    AppendDigits(text, date.month, 2);
    text += '-';
    AppendDigits(text, date.day, 2);
    return text;
}
