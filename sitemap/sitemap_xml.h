#pragma once
#include <string>
#include <string_view>

// The text of sitemap.xml (Sitemap protocol 0.84), built in memory.
struct SitemapXmlWriter {
    std::string text;
};

void BeginSitemapXml(SitemapXmlWriter& writer);
void AddSitemapXmlPage(SitemapXmlWriter& writer, std::string_view escapedAddress, std::string_view lastWriteDate);
void EndSitemapXml(SitemapXmlWriter& writer);
