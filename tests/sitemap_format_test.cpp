#include "sitemap/address_escape.h"
#include "sitemap/page_selection.h"
#include "sitemap/run_texts.h"

#include <gtest/gtest.h>

TEST(EscapeAddress, FollowsTheByteTable)
{
    struct Case { std::string in; std::string out; };
    const Case cases[] = {
        {"http://www.example.com/a-b_c.htm", "http://www.example.com/a-b_c.htm"},
        {"Q&A.htm", "Q&amp;A.htm"},
        {"it's", "it&apos;s"},
        {"\"<>\"", "&quot;&lt;&gt;&quot;"},
        {"my docs", "my%20docs"},
        {"~=?@#$!%", "%7E%3D%3F%40%23%24%21%25"},
        {"typed%20", "typed%2520"},
        {"tab\there", "tab%09here"},
        {std::string("\x01\x7F\x80\xE9\xFF", 5), "%01%7F%80%E9%FF"},
        {"()*+,-./09:;", "()*+,-./09:;"},
        {"AZ[\\]^_`az{|}", "AZ[\\]^_`az{|}"},
        {std::string("nul\0x", 5), "nul%00x"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(escapeAddress(c.in), c.out) << c.in;
}

TEST(EscapeAddress, EveryByteOutsideTheKeptRangesBecomesThreeCharacters)
{
    for (int byte = 0; byte < 256; ++byte) {
        std::string out = escapeAddress(std::string(1, static_cast<char>(byte)));
        bool kept = (byte >= 40 && byte <= 59) || (byte >= 65 && byte <= 125);
        bool entity = byte == '&' || byte == '\'' || byte == '"' || byte == '<' || byte == '>';
        if (kept)
            EXPECT_EQ(out, std::string(1, static_cast<char>(byte))) << byte;
        else if (!entity) {
            char expected[4];
            snprintf(expected, sizeof expected, "%%%02X", byte);
            EXPECT_EQ(out, expected) << byte;
        }
    }
}

TEST(PageSelection, TakesOnlyTheHtmAndHtmlExtensionsInAnyAsciiCase)
{
    for (const char* page : {"index.htm", "INDEX.HTM", "a.Html", ".htm", "x.y.hTmL", "old.html"})
        EXPECT_TRUE(HasPageExtension(page)) << page;
    for (const char* other : {"a.htm.bak", "a.shtml", "a.xhtml", "a.htmx", "README", "a.htm.", "htm", "a.ht",
                              "a.\xC9htm", "sitemap.xml"})
        EXPECT_FALSE(HasPageExtension(other)) << other;
}

TEST(RunTexts, SummaryAndNormalisation)
{
    EXPECT_EQ(SummaryText(12, WithTrailing("C:\\web", '\\'), true),
              "12 html files is inserted into the sitemap.xml and the sitemap.html file\r\nin C:\\web\\ folder");
    EXPECT_EQ(SummaryText(1, WithTrailing("D:\\pages\\", '\\'), false),
              "1 html files is inserted into the sitemap.xml file\r\nin D:\\pages\\ folder");
    EXPECT_EQ(WithTrailing("", '/'), "/");
    EXPECT_EQ(WithTrailing("http://", '/'), "http://");
    EXPECT_EQ(WithTrailing("http://x", '/'), "http://x/");
}
