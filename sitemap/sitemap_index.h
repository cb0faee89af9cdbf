#pragma once
#include <string>
#include <string_view>
#include <vector>

// When one sitemap.xml cannot hold a site, its pages go into numbered parts
// and sitemap.xml becomes an index that lists them, in the same namespace.

// "sitemap3.xml" for the third part.
std::string PartFileName(int number);

// The index of as many parts as newestDates holds: each part's address (the
// web address, escaped as in page addresses and ending in "/", and the part's
// name) and the newest last-write date of its pages (left out when none has
// one).
std::string SitemapIndexText(const std::string& escapedWebAddress, const std::vector<std::string>& newestDates);

// The numbers of the parts that an index of this form lists, from the names
// its addresses end in; none when text is no such index.
std::vector<int> PartsListedInIndex(std::string_view text);
