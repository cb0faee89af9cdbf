#pragma once
#include "sitemap/lead_bytes.h"

#include <string>
#include <string_view>

// text with separator appended unless its last character already is
// separator. Characters are read from the start, a lead byte taking the next
// byte with it, so a second byte that equals separator does not end the text.
std::string WithTrailing(std::string_view text, char separator, LeadBytePredicate isLeadByte = NoLeadBytes);

// "12 html files is inserted into the sitemap.xml and the sitemap.html file"
// CR LF "in C:\web\ folder" (pageFolder already ends in "\").
std::string SummaryText(int pageCount, const std::string& pageFolder, bool htmlFlag);

// The summary's line for a sitemap.xml that lists parts, with its line break
// before it: "sitemap.xml lists 3 parts: sitemap1.xml to sitemap3.xml"; empty
// for none.
std::string PartsLine(int partCount);

// The failure message's line for parts put in place before a later file
// failed, with its line break before it; empty for none.
std::string AlreadyReplacedLine(int partsReplaced);
