#include "sitemap/page_selection.h"

#include "common/ascii_case.h"
#include "sitemap/text_pieces.h"

bool HasPageExtension(std::string_view name)
{
    std::string extension = LowerAscii(textAfterLast(name, '.'));
    return extension == "htm" || extension == "html";
}
