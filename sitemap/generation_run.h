#pragma once
#include <string>
#include <vector>

struct GenerationOutcome {
    std::string refusal;                 // bad page-folder text: nothing walked or written
    std::string pageFolder;              // normalised, ending in "\"
    int pageCount = 0;
    bool walkedToTheEnd = false;         // pageCount then counts every page
    std::vector<std::string> failures;   // one message per output that could not be put in place, or the
                                         // folder whose listing broke off
    int partCount = 0;                   // parts that sitemap.xml lists; 0 when it is the one map
    int partsReplaced = 0;               // parts put in place before a later file failed
};

// Walks the page folder and replaces sitemap.xml (and, with htmlFlag,
// sitemap.html) in it; shows nothing.
GenerationOutcome GenerateSitemaps(const std::string& pageFolderText, const std::string& webAddressText,
                                   bool htmlFlag);

// What the user is told afterwards: the summary, or why it failed.
std::string OutcomeMessage(const GenerationOutcome& outcome, bool htmlFlag);

// The create command's run: generates and tells the user in a message box
// owned by the primary window.
void GenerationRun(const std::string& pageFolderText, const std::string& webAddressText, bool htmlFlag);
