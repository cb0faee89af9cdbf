#include "common/nth_field.h"

std::string NthField(std::string_view text, std::string_view separator, int n)
{
    if (n < 1 || separator.empty())
        return n == 1 ? std::string(text) : std::string();
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        size_t found = text.find(separator, start);
        if (found == std::string_view::npos)
            return {};
        start = found + separator.size();
    }
    size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}
