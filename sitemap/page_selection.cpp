#include "sitemap/page_selection.h"

#include "sitemap/text_pieces.h"

namespace {

bool EqualsFoldingAsciiCapitals(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

}  // namespace

bool HasPageExtension(std::string_view name)
{
    std::string_view extension = textAfterLast(name, '.');
    return EqualsFoldingAsciiCapitals(extension, "htm") || EqualsFoldingAsciiCapitals(extension, "html");
}
