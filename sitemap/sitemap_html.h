#pragma once
#include <string>
#include <string_view>

// The text of sitemap.html, a plain link table, as it grows; the run takes
// it away in pieces.
struct SitemapHtmlWriter {
    std::string text;
};

void BeginSitemapHtml(SitemapHtmlWriter& writer);
// Adds a row unless the page's name is exactly "sitemap.html".
void AddSitemapHtmlPage(SitemapHtmlWriter& writer, std::string_view escapedAddress);
void EndSitemapHtml(SitemapHtmlWriter& writer);

// The visible text of a page's link: its escaped name before the first ".".
std::string_view linkText(std::string_view escapedAddress);
