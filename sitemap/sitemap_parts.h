#pragma once
#include "common/file_replace.h"
#include "sitemap/piece_writer.h"
#include "sitemap/sitemap_xml.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

// sitemap.xml as the walk writes it: one map while the site fits in one file
// as search engines take it, else parts sitemap1.xml, sitemap2.xml, ... that
// each fit, in walk order, and sitemap.xml an index that lists them. Each
// part goes to a replacement of its own from its first entry on; none is
// moved before the walk has ended.
struct SitemapParts {
    std::wstring pageFolder;               // ending in "\"
    std::deque<Replacement> files;         // one a part; the first targets sitemap.xml while it is the only one
    SitemapXmlWriter xml;                  // the last part's text not yet handed over
    int entriesInPart = 0;
    size_t bytesInPart = 0;                // of the last part so far, its closing line not counted
    std::vector<std::string> newestDates;  // of each part's pages
};

struct PartsOutcome {
    int partCount = 0;                  // parts that sitemap.xml lists; 0 when it is the one map
    int partsReplaced = 0;              // parts put in place before a later file failed
    std::vector<std::string> failures;  // one message for each file that could not be put in place
};

void BeginSitemapParts(SitemapParts& parts, const std::wstring& pageFolder);

// Adds a page's entry; a part that it would take past either limit is ended
// first and the next one begun.
void AddSitemapPartsPage(SitemapParts& parts, PieceWriter& writer, std::string_view escapedAddress,
                         std::string_view lastWriteDate);

// Ends the last part once the walk and its writer are done. One map replaces
// sitemap.xml as ever; parts and the index (webAddress ends in "/") are all
// written and flushed before the first is moved, then moved in order, the
// index last, and a failure leaves the rest unmoved.
PartsOutcome FinishSitemapParts(SitemapParts& parts, const std::string& webAddress);

// Gives every part up: no file in the page folder changes.
void AbandonSitemapParts(SitemapParts& parts);
