#include "sitemap/run_texts.h"

std::string WithTrailing(std::string_view text, char separator)
{
    std::string result(text);
    if (result.empty() || result.back() != separator)
        result += separator;
    return result;
}

std::string SummaryText(int pageCount, const std::string& pageFolder, bool htmlFlag)
{
    return std::to_string(pageCount) + " html files is inserted into the sitemap.xml" +
           (htmlFlag ? " and the sitemap.html file" : " file") + "\r\nin " + pageFolder + " folder";
}
