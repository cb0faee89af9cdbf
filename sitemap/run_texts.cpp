#include "sitemap/run_texts.h"

#include "sitemap/sitemap_index.h"

namespace {

std::string PartRange(int partCount)
{
    return partCount == 1 ? PartFileName(1) : PartFileName(1) + " to " + PartFileName(partCount);
}

}  // namespace

std::string WithTrailing(std::string_view text, char separator, LeadBytePredicate isLeadByte)
{
    size_t lastCharacter = text.size();
    for (size_t at = 0; at < text.size(); at += isLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1)
        lastCharacter = at;
    std::string result(text);
    if (lastCharacter != text.size() - 1 || text.back() != separator)
        result += separator;
    return result;
}

std::string SummaryText(int pageCount, const std::string& pageFolder, bool htmlFlag)
{
    return std::to_string(pageCount) + " html files is inserted into the sitemap.xml" +
           (htmlFlag ? " and the sitemap.html file" : " file") + "\r\nin " + pageFolder + " folder";
}

std::string PartsLine(int partCount)
{
    if (partCount == 0)
        return {};
    return "\r\nsitemap.xml lists " + std::to_string(partCount) + " parts: " + PartRange(partCount);
}

std::string AlreadyReplacedLine(int partsReplaced)
{
    return partsReplaced == 0 ? std::string() : "\r\nAlready replaced before that: " + PartRange(partsReplaced) + ".";
}
