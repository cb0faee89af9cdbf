#include "sitemap/sitemap_xml.h"

void BeginSitemapXml(SitemapXmlWriter& writer)
{
    writer.text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                  "<urlset xmlns=\"http://www.google.com/schemas/sitemap/0.84\">\r\n";
}

void AddSitemapXmlPage(SitemapXmlWriter& writer, std::string_view escapedAddress, std::string_view lastWriteDate)
{
    writer.text += "<url>\r\n\t<loc>";
    writer.text += escapedAddress;
    writer.text += "</loc>\r\n\t<lastmod>";
    writer.text += lastWriteDate;
    writer.text += "</lastmod>\r\n"
                   "\t<changefreq>weekly</changefreq>\r\n"
                   "\t<priority>0.0</priority>\r\n"
                   "</url>\r\n";
}

void EndSitemapXml(SitemapXmlWriter& writer) { writer.text += "</urlset>\r\n"; }
