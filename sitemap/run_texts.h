#pragma once
#include <string>
#include <string_view>

// text with separator appended unless its last byte already is separator.
std::string WithTrailing(std::string_view text, char separator);

// "12 html files is inserted into the sitemap.xml and the sitemap.html file"
// CR LF "in C:\web\ folder" (pageFolder already ends in "\").
std::string SummaryText(int pageCount, const std::string& pageFolder, bool htmlFlag);
