#include "sitemap/page_selection.h"

#include "common/ascii_case.h"
#include "sitemap/text_pieces.h"

bool HasPageExtension(std::string_view name)
{
    std::string_view extension = textAfterLast(name, '.');
    if (extension.size() != 3 && extension.size() != 4)
        return false;
    char lower[4];
    for (size_t at = 0; at < extension.size(); ++at)
        lower[at] = LowerAsciiLetter(extension[at]);
    std::string_view folded(lower, extension.size());
    return folded == "htm" || folded == "html";
}
