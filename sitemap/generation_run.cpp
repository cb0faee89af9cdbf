#include "sitemap/generation_run.h"

#include "common/anti_debug.h"
#include "common/app_identity.h"
#include "common/file_replace.h"
#include "common/message_box.h"
#include "common/platform_error_text.h"
#include "common/primary_window.h"
#include "common/wide_text.h"
#include "sitemap/folder_walk.h"
#include "sitemap/name_bytes.h"
#include "sitemap/piece_writer.h"
#include "sitemap/run_texts.h"
#include "sitemap/sitemap_html.h"
#include "sitemap/sitemap_parts.h"
#include "sitemap/stale_parts.h"
#include "sitemap/stored_elsewhere.h"

#include <windows.h>

namespace {

std::string RefusalFor(const std::string& pageFolderText, const std::string& pageFolder)
{
    if (pageFolderText.empty())
        return "No page folder was given.\r\nType the folder that holds the pages, or choose it with Browse.";
    DWORD attributes = GetFileAttributesA(pageFolder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "The page folder \"" + pageFolderText + "\" does not exist or is not a folder.\r\nNothing was written.";
    return {};
}

// The run's two outputs and their texts, which go out in pieces as they grow.
struct Outputs {
    bool htmlFlag;
    SitemapParts xml;
    Replacement htmlFile;
    SitemapHtmlWriter html;
};

void FinishOutput(Replacement& output, const std::string& text, GenerationOutcome& outcome)
{
    WriteReplacement(output, text);
    ReplaceOutcome replaced = FinishReplacement(output);
    if (!replaced.ok)
        outcome.failures.push_back(replaced.failureMessage);
}

// Parts that the old sitemap.xml listed and the new one does not go once
// the new one is in place.
void FinishOutputs(Outputs& outputs, const std::string& webAddress, GenerationOutcome& outcome)
{
    if (outputs.htmlFlag)
        FinishOutput(outputs.htmlFile, outputs.html.text, outcome);
    std::vector<int> oldParts = PartsOfOldIndex(outputs.xml.pageFolder);
    PartsOutcome parts = FinishSitemapParts(outputs.xml, webAddress);
    outcome.failures.insert(outcome.failures.end(), parts.failures.begin(), parts.failures.end());
    outcome.partCount = parts.partCount;
    outcome.partsReplaced = parts.partsReplaced;
    if (parts.failures.empty())
        DeleteStaleParts(outputs.xml.pageFolder, oldParts, parts.partCount, outcome.failures);
}

WalkBreak WalkIntoOutputs(Outputs& outputs, const std::string& pageFolder, const std::string& webAddress,
                          int& pageCount)
{
    BeginSitemapHtml(outputs.html);
    PieceWriter* writer = StartPieceWriter();
    WalkBreak broken = FolderWalk(pageFolder, webAddress, [&](const PageEntry& page) {
        AddSitemapPartsPage(outputs.xml, *writer, page.address, page.lastWriteDate);
        if (outputs.htmlFlag) {
            AddSitemapHtmlPage(outputs.html, page.address);
            WriteWhenFull(*writer, outputs.htmlFile, outputs.html.text);
        }
        ++pageCount;
    });
    StopPieceWriter(writer);
    EndSitemapHtml(outputs.html);
    return broken;
}

std::string BrokenListingText(const WalkBreak& broken)
{
    std::string reason = PlatformErrorText(broken.error);
    return "Could not list the folder " + AnsiFromWide(broken.folderPath) + ":\r\n" +
           (reason.empty() ? "Error " + std::to_string(broken.error) : reason);
}

}  // namespace

GenerationOutcome GenerateSitemaps(const std::string& pageFolderText, const std::string& webAddressText,
                                   bool htmlFlag)
{
    GenerationOutcome outcome;
    // In a double-byte code page "\" can be the second byte of a character.
    outcome.pageFolder = WithTrailing(pageFolderText, '\\', AnsiLeadByte);
    outcome.refusal = RefusalFor(pageFolderText, outcome.pageFolder);
    if (!outcome.refusal.empty())
        return outcome;

    Outputs outputs{htmlFlag, {}, {}, {}};
    BeginSitemapParts(outputs.xml, WideFromAnsi(outcome.pageFolder));
    if (htmlFlag)
        outputs.htmlFile = BeginReplacement(WideFromAnsi(outcome.pageFolder + "sitemap.html"));
    // "/" is never the second byte of a character: the web address is judged byte by byte.
    std::string webAddress = WithTrailing(webAddressText, '/');
    // Nothing can be written: no walk.
    if (outputs.xml.files.front().failed && (!htmlFlag || outputs.htmlFile.failed)) {
        FinishOutputs(outputs, webAddress, outcome);
        return outcome;
    }
    // A success that no web server would see.
    if (StoredElsewhere(outputs.xml.files.front()) || StoredElsewhere(outputs.htmlFile)) {
        AbandonSitemapParts(outputs.xml);
        AbandonReplacement(outputs.htmlFile);
        outcome.failures.push_back(StoredElsewhereText(outcome.pageFolder));
        return outcome;
    }
    WalkBreak broken = WalkIntoOutputs(outputs, outcome.pageFolder, webAddress, outcome.pageCount);
    if (!broken.folderPath.empty()) {  // a map that lacks pages is worse than the old one
        AbandonSitemapParts(outputs.xml);
        AbandonReplacement(outputs.htmlFile);
        outcome.failures.push_back(BrokenListingText(broken));
        return outcome;
    }
    outcome.walkedToTheEnd = true;
    FinishOutputs(outputs, webAddress, outcome);
    return outcome;
}

std::string OutcomeMessage(const GenerationOutcome& outcome, bool htmlFlag)
{
    if (!outcome.refusal.empty())
        return outcome.refusal;
    if (outcome.failures.empty())
        return SummaryText(outcome.pageCount, outcome.pageFolder, htmlFlag) + PartsLine(outcome.partCount);
    std::string message;
    for (const std::string& failure : outcome.failures)
        message += failure + "\r\n";
    if (!outcome.walkedToTheEnd)
        return message + "\r\nNo site map was changed.";
    return message + "\r\n" + std::to_string(outcome.pageCount) +
           " html files were found; the files named above were not changed." +
           AlreadyReplacedLine(outcome.partsReplaced);
}

void GenerationRun(const std::string& pageFolderText, const std::string& webAddressText, bool htmlFlag)
{
    AntiDebuggingCheck();
    GenerationOutcome outcome = GenerateSitemaps(pageFolderText, webAddressText, htmlFlag);
    bool failed = !outcome.refusal.empty() || !outcome.failures.empty();
    ShowMessageBox(PrimaryWindow(), OutcomeMessage(outcome, htmlFlag).c_str(), kAppIdentifier,
                   MB_OK | MB_SETFOREGROUND | (failed ? MB_ICONEXCLAMATION : 0));
}
