#include "sitemap/sitemap_html.h"

#include "sitemap/text_pieces.h"

void BeginSitemapHtml(SitemapHtmlWriter& writer)
{
    writer.text = "<html><head><title>SiteMap</title></head><body>\r\n"
                  "<br><B><center>SITEMAP</center></B><br><br>\r\n"
                  "<table>\r\n";
}

std::string_view linkText(std::string_view escapedAddress)
{
    return textBeforeFirst(textAfterLast(escapedAddress, '/'), '.');
}

void AddSitemapHtmlPage(SitemapHtmlWriter& writer, std::string_view escapedAddress)
{
    // The site map does not list itself, nor a file of its name elsewhere.
    if (textAfterLast(escapedAddress, '/') == "sitemap.html")
        return;
    writer.text += "<tr><td>\r\n<a href=\"";
    writer.text += escapedAddress;
    writer.text += "\">";
    writer.text += linkText(escapedAddress);
    writer.text += "</a></td></tr>\r\n";
}

void EndSitemapHtml(SitemapHtmlWriter& writer) { writer.text += "</table></body></html>\r\n"; }
