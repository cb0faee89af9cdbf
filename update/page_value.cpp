#include "update/page_value.h"

#include "common/ascii_case.h"

std::string ExtractPageValue(std::string_view received, std::string_view marker)
{
    constexpr std::string_view kContent = "content=";
    constexpr size_t kSkippedAfterMarker = 9;  // where the closing ">" may start
    std::string search = LowerAscii(received.substr(0, received.find('\0')));

    size_t markerAt = search.find(LowerAscii(marker));
    if (markerAt == std::string::npos)
        return {};
    size_t contentAt = search.find(kContent, markerAt);
    size_t closeAt = search.find('>', markerAt + kSkippedAfterMarker);
    if (contentAt == std::string::npos || closeAt == std::string::npos)
        return {};
    size_t valueAt = contentAt + kContent.size() + 1;
    if (closeAt < valueAt + 2)
        return {};
    return std::string(received.substr(valueAt, closeAt - 1 - valueAt));
}
