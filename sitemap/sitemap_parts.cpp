#include "sitemap/sitemap_parts.h"

#include "common/wide_text.h"
#include "sitemap/address_escape.h"
#include "sitemap/name_bytes.h"
#include "sitemap/sitemap_index.h"

#include <algorithm>

namespace {

// What search engines take in one site map file.
constexpr int kMostEntries = 50000;
constexpr size_t kMostBytes = 52428800;

size_t ClosingLineBytes()
{
    SitemapXmlWriter closing;
    EndSitemapXml(closing);
    return closing.text.size();
}

// Dates are "yyyy-MM-dd", with more digits in the year after 9999, or empty.
bool IsNewer(std::string_view date, std::string_view than)
{
    return date.size() != than.size() ? date.size() > than.size() : date > than;
}

void BeginPart(SitemapParts& parts, const std::wstring& target)
{
    parts.files.push_back(BeginReplacement(target));
    BeginSitemapXml(parts.xml);
    parts.entriesInPart = 0;
    parts.bytesInPart = parts.xml.text.size();
    parts.newestDates.emplace_back();
}

std::wstring PartPath(const SitemapParts& parts, size_t number)
{
    return parts.pageFolder + WideFromAnsi(PartFileName(static_cast<int>(number)));
}

// The part that entry, the text's end from start on, would take past a limit
// is ended and handed over, and the entry begins the next one.
void MoveEntryToNextPart(SitemapParts& parts, PieceWriter& writer, size_t start)
{
    std::string entry = parts.xml.text.substr(start);
    parts.xml.text.resize(start);
    EndSitemapXml(parts.xml);
    WriteLastPiece(writer, parts.files.back(), parts.xml.text);
    BeginPart(parts, PartPath(parts, parts.files.size() + 1));
    parts.xml.text += entry;
}

// The first part takes its own name, sitemap.xml becomes the index, and
// every file is flushed before any is moved (the parts ended during the walk
// were flushed then).
void AddIndexAndFlush(SitemapParts& parts, const std::string& webAddress)
{
    parts.files.front().target = PartPath(parts, 1);
    parts.files.push_back(BeginReplacement(parts.pageFolder + L"sitemap.xml"));
    // The typed address is in the ANSI code page, as in the page addresses.
    WriteReplacement(parts.files.back(), SitemapIndexText(escapeAddress(webAddress, AnsiLeadByte), parts.newestDates));
    for (Replacement& file : parts.files)
        if (file.unflushed != 0)
            FlushReplacement(file);
}

// A failure before the first move changes nothing; one after it leaves the
// files after it unmoved.
void MoveInOrder(SitemapParts& parts, PartsOutcome& outcome)
{
    bool moving = std::none_of(parts.files.begin(), parts.files.end(), [](const Replacement& file) {
        return file.failed;
    });
    for (size_t at = 0; at < parts.files.size(); ++at) {
        Replacement& file = parts.files[at];
        if (!moving && !file.failed) {
            AbandonReplacement(file);
            continue;
        }
        ReplaceOutcome replaced = FinishReplacement(file);
        if (replaced.ok)
            continue;
        outcome.failures.push_back(replaced.failureMessage);
        if (moving)
            outcome.partsReplaced = static_cast<int>(at);
        moving = false;
    }
}

}  // namespace

void BeginSitemapParts(SitemapParts& parts, const std::wstring& pageFolder)
{
    parts.pageFolder = pageFolder;
    BeginPart(parts, pageFolder + L"sitemap.xml");
}

void AddSitemapPartsPage(SitemapParts& parts, PieceWriter& writer, std::string_view escapedAddress,
                         std::string_view lastWriteDate)
{
    static const size_t closingLineBytes = ClosingLineBytes();
    size_t start = parts.xml.text.size();
    AddSitemapXmlPage(parts.xml, escapedAddress, lastWriteDate);
    size_t entryBytes = parts.xml.text.size() - start;
    // A part holds at least one entry, however long.
    if (parts.entriesInPart > 0 && (parts.entriesInPart == kMostEntries ||
                                    parts.bytesInPart + entryBytes + closingLineBytes > kMostBytes))
        MoveEntryToNextPart(parts, writer, start);
    ++parts.entriesInPart;
    parts.bytesInPart += entryBytes;
    if (IsNewer(lastWriteDate, parts.newestDates.back()))
        parts.newestDates.back() = lastWriteDate;
    WriteWhenFull(writer, parts.files.back(), parts.xml.text);
}

PartsOutcome FinishSitemapParts(SitemapParts& parts, const std::string& webAddress)
{
    EndSitemapXml(parts.xml);
    WriteReplacement(parts.files.back(), parts.xml.text);
    PartsOutcome outcome;
    if (parts.files.size() > 1) {
        outcome.partCount = static_cast<int>(parts.files.size());
        AddIndexAndFlush(parts, webAddress);
    }
    MoveInOrder(parts, outcome);
    return outcome;
}

void AbandonSitemapParts(SitemapParts& parts)
{
    for (Replacement& file : parts.files)
        AbandonReplacement(file);
}
