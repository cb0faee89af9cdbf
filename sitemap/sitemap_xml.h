#pragma once
#include <string>
#include <string_view>

// The text of sitemap.xml (Sitemap protocol 0.84) as it grows; the run
// takes it away in pieces.
struct SitemapXmlWriter {
    std::string text;
};

void BeginSitemapXml(SitemapXmlWriter& writer);
void AddSitemapXmlPage(SitemapXmlWriter& writer, std::string_view escapedAddress, std::string_view lastWriteDate);
void EndSitemapXml(SitemapXmlWriter& writer);
