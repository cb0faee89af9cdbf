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

namespace {

bool EqualsFoldingAscii(std::wstring_view name, std::string_view ascii)
{
    if (name.size() != ascii.size())
        return false;
    for (size_t at = 0; at < name.size(); ++at)
        if (name[at] >= 0x80 || LowerAsciiLetter(static_cast<char>(name[at])) != LowerAsciiLetter(ascii[at]))
            return false;
    return true;
}

}  // namespace

bool IsVolumeSystemFolder(std::wstring_view name)
{
    for (std::string_view system : {"$RECYCLE.BIN", "RECYCLER", "System Volume Information"})
        if (EqualsFoldingAscii(name, system))
            return true;
    return false;
}
