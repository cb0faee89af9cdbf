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
#include "sitemap/sitemap_xml.h"
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

// Texts go to their files in pieces of this size as the walk goes on, so a
// run's memory does not grow with the site.
constexpr size_t kWriteBufferSize = 64 * 1024;

void WriteWhenFull(PieceWriter& writer, Replacement& output, std::string& text)
{
    if (text.size() >= kWriteBufferSize)
        WriteLater(writer, output, text);
}

// The run's two outputs and their texts, which go out in pieces as they grow.
struct Outputs {
    bool htmlFlag;
    Replacement xmlFile, htmlFile;
    SitemapXmlWriter xml;
    SitemapHtmlWriter html;
};

void FinishOutput(Replacement& output, const std::string& text, GenerationOutcome& outcome)
{
    WriteReplacement(output, text);
    ReplaceOutcome replaced = FinishReplacement(output);
    if (!replaced.ok)
        outcome.failures.push_back(replaced.failureMessage);
}

void FinishOutputs(Outputs& outputs, GenerationOutcome& outcome)
{
    if (outputs.htmlFlag)
        FinishOutput(outputs.htmlFile, outputs.html.text, outcome);
    FinishOutput(outputs.xmlFile, outputs.xml.text, outcome);
}

WalkBreak WalkIntoOutputs(Outputs& outputs, const std::string& pageFolder, const std::string& webAddress,
                          int& pageCount)
{
    BeginSitemapXml(outputs.xml);
    BeginSitemapHtml(outputs.html);
    PieceWriter* writer = StartPieceWriter();
    WalkBreak broken = FolderWalk(pageFolder, webAddress, [&](const PageEntry& page) {
        AddSitemapXmlPage(outputs.xml, page.address, page.lastWriteDate);
        WriteWhenFull(*writer, outputs.xmlFile, outputs.xml.text);
        if (outputs.htmlFlag) {
            AddSitemapHtmlPage(outputs.html, page.address);
            WriteWhenFull(*writer, outputs.htmlFile, outputs.html.text);
        }
        ++pageCount;
    });
    StopPieceWriter(writer);
    EndSitemapXml(outputs.xml);
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

    Outputs outputs{htmlFlag, BeginReplacement(WideFromAnsi(outcome.pageFolder + "sitemap.xml")),
                    htmlFlag ? BeginReplacement(WideFromAnsi(outcome.pageFolder + "sitemap.html")) : Replacement{},
                    {}, {}};
    if (outputs.xmlFile.failed && (!htmlFlag || outputs.htmlFile.failed)) {  // nothing can be written: no walk
        FinishOutputs(outputs, outcome);
        return outcome;
    }
    if (StoredElsewhere(outputs.xmlFile) || StoredElsewhere(outputs.htmlFile)) {  // a success no server would see
        AbandonReplacement(outputs.xmlFile);
        AbandonReplacement(outputs.htmlFile);
        outcome.failures.push_back(StoredElsewhereText(outcome.pageFolder));
        return outcome;
    }
    // "/" is never the second byte of a character: the web address is judged byte by byte.
    std::string webAddress = WithTrailing(webAddressText, '/');
    WalkBreak broken = WalkIntoOutputs(outputs, outcome.pageFolder, webAddress, outcome.pageCount);
    if (!broken.folderPath.empty()) {  // a map that lacks pages is worse than the old one
        AbandonReplacement(outputs.xmlFile);
        AbandonReplacement(outputs.htmlFile);
        outcome.failures.push_back(BrokenListingText(broken));
        return outcome;
    }
    outcome.walkedToTheEnd = true;
    FinishOutputs(outputs, outcome);
    return outcome;
}

std::string OutcomeMessage(const GenerationOutcome& outcome, bool htmlFlag)
{
    if (!outcome.refusal.empty())
        return outcome.refusal;
    if (outcome.failures.empty())
        return SummaryText(outcome.pageCount, outcome.pageFolder, htmlFlag);
    std::string message;
    for (const std::string& failure : outcome.failures)
        message += failure + "\r\n";
    if (!outcome.walkedToTheEnd)
        return message + "\r\nNo site map was changed.";
    return message + "\r\n" + std::to_string(outcome.pageCount) +
           " html files were found; the files named above were not changed.";
}

void GenerationRun(const std::string& pageFolderText, const std::string& webAddressText, bool htmlFlag)
{
    AntiDebuggingCheck();
    GenerationOutcome outcome = GenerateSitemaps(pageFolderText, webAddressText, htmlFlag);
    bool failed = !outcome.refusal.empty() || !outcome.failures.empty();
    ShowMessageBox(PrimaryWindow(), OutcomeMessage(outcome, htmlFlag).c_str(), kAppIdentifier,
                   MB_OK | MB_SETFOREGROUND | (failed ? MB_ICONEXCLAMATION : 0));
}
