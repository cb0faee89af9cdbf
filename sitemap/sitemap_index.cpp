#include "sitemap/sitemap_index.h"

#include "sitemap/text_pieces.h"

namespace {

constexpr std::string_view kIndexHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                        "<sitemapindex xmlns=\"http://www.google.com/schemas/sitemap/0.84\">\r\n";
constexpr std::string_view kPartPrefix = "sitemap", kPartSuffix = ".xml";
constexpr std::string_view kLocStart = "<loc>", kLocEnd = "</loc>";
// Far more parts than any site fills, and still an int.
constexpr size_t kMostNumberDigits = 9;

// The number of a part's file name, or 0 when name is none.
int PartNumber(std::string_view name)
{
    if (!name.starts_with(kPartPrefix) || !name.ends_with(kPartSuffix))
        return 0;
    std::string_view digits = name.substr(kPartPrefix.size(), name.size() - kPartPrefix.size() - kPartSuffix.size());
    if (digits.empty() || digits.size() > kMostNumberDigits || digits[0] == '0')
        return 0;
    int number = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9')
            return 0;
        number = number * 10 + (digit - '0');
    }
    return number;
}

}  // namespace

std::string PartFileName(int number)
{
    return std::string(kPartPrefix) + std::to_string(number) + std::string(kPartSuffix);
}

std::string SitemapIndexText(const std::string& escapedWebAddress, const std::vector<std::string>& newestDates)
{
    std::string text(kIndexHead);
    for (size_t part = 0; part < newestDates.size(); ++part) {
        text += "<sitemap>\r\n\t<loc>";
        text += escapedWebAddress + PartFileName(static_cast<int>(part) + 1);  // the name has nothing to escape
        text += "</loc>\r\n";
        if (!newestDates[part].empty())
            text += "\t<lastmod>" + newestDates[part] + "</lastmod>\r\n";
        text += "</sitemap>\r\n";
    }
    return text + "</sitemapindex>\r\n";
}

std::vector<int> PartsListedInIndex(std::string_view text)
{
    std::vector<int> parts;
    if (!text.starts_with(kIndexHead))
        return parts;
    for (size_t start = text.find(kLocStart); start != std::string_view::npos; start = text.find(kLocStart, start)) {
        start += kLocStart.size();
        size_t end = text.find(kLocEnd, start);
        if (end == std::string_view::npos)
            break;
        if (int number = PartNumber(textAfterLast(text.substr(start, end - start), '/')))
            parts.push_back(number);
    }
    return parts;
}
