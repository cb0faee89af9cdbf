#include "sitemap/text_pieces.h"

std::string_view textAfterLast(std::string_view text, char separator)
{
    size_t at = text.rfind(separator);
    return at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
}

std::string_view textBeforeFirst(std::string_view text, char separator)
{
    size_t at = text.find(separator);
    return at == std::string_view::npos ? std::string_view() : text.substr(0, at);
}
