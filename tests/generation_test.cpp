#include "common/entry_attributes.h"
#include "sitemap/folder_walk.h"
#include "common/primary_window.h"
#include "sitemap/generation_run.h"
#include "support/own_message_boxes.h"
#include "support/test_paths.h"
#include "support/unix_command.h"
#include "tools/driver/program_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

std::wstring LongWidePath(const std::string& path)
{
    std::wstring wide = L"\\\\?\\";
    for (char c : path)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));  // code page 1252 agrees below 0x80 and at 0xE9
    return wide;
}

// Creates a page exactly as named (a trailing dot kept, paths past MAX_PATH
// allowed) with the given UTC last-write date.
void PutPage(const std::string& path, WORD year = 2010, WORD month = 3, WORD day = 6, WORD hour = 12)
{
    HANDLE file = CreateFileW(LongWidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written;
    WriteFile(file, "<html></html>", 13, &written, nullptr);
    SYSTEMTIME utc = {year, month, 0, day, hour, 0, 0, 0};
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &stamp));
    CloseHandle(file);
}

void PutFolder(const std::string& path) { CreateDirectoryW(LongWidePath(path).c_str(), nullptr); }

void LinkFolder(const std::string& linkPath, const std::string& target)
{
    ASSERT_EQ(RunUnixCommand("ln -s " + target + " " + UnixPath(linkPath)), 0);
    ASSERT_EQ(EntryAttributes(linkPath) & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

std::vector<std::string> WalkedPages(const std::string& folder, const std::string& webAddress = "w/")
{
    std::vector<std::string> pages;
    FolderWalk(folder, webAddress, [&](const PageEntry& page) { pages.push_back(page.webPath + page.fileName); });
    return pages;
}

std::string XmlEntry(const std::string& address, const std::string& date)
{
    return "<url>\r\n\t<loc>" + address + "</loc>\r\n\t<lastmod>" + date +
           "</lastmod>\r\n\t<changefreq>weekly</changefreq>\r\n\t<priority>0.0</priority>\r\n</url>\r\n";
}

const std::string kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<urlset xmlns=\"http://www.google.com/schemas/sitemap/0.84\">\r\n";
const std::string kXmlTail = "</urlset>\r\n";
const std::string kHtmlHead = "<html><head><title>SiteMap</title></head><body>\r\n"
                              "<br><B><center>SITEMAP</center></B><br><br>\r\n<table>\r\n";
const std::string kHtmlTail = "</table></body></html>\r\n";

std::string HtmlRow(const std::string& address, const std::string& text)
{
    return "<tr><td>\r\n<a href=\"" + address + "\">" + text + "</a></td></tr>\r\n";
}

void ExpectAcceptedByXmllint(const std::string& path)
{
    EXPECT_EQ(RunUnixCommand("xmllint --noout " + UnixPath(path)), 0) << path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(Generation, SpecialNamesGiveByteExactFiles)
{
    std::string root = MakeScratchFolder("names");
    for (const char* page : {"Q&A.htm", "it's.htm", "my page.htm", "t~=@#$!.htm", "caf\xE9.htm", "INDEX.HTM",
                             "a.Html", ".htm"})
        PutPage(root + page);
    for (const char* other : {"a.htm.bak", "a.shtml", "a.xhtml", "README", "dot.htm."})
        PutPage(root + other);

    GenerationOutcome outcome = GenerateSitemaps(root, "http://www.example.com/s?x\ty", true);

    ASSERT_TRUE(outcome.refusal.empty() && outcome.failures.empty());
    EXPECT_EQ(outcome.pageCount, 8);
    const std::string base = "http://www.example.com/s%3Fx%09y/";
    const std::pair<std::string, std::string> pages[] = {
        {".htm", ""},
        {"a.Html", "a"},
        {"caf%E9.htm", "caf%E9"},
        {"INDEX.HTM", "INDEX"},
        {"it&apos;s.htm", "it&apos;s"},
        {"my%20page.htm", "my%20page"},
        {"Q&amp;A.htm", "Q&amp;A"},
        {"t%7E%3D%40%23%24%21.htm", "t%7E%3D%40%23%24%21"},
    };
    std::string xml = kXmlHead, html = kHtmlHead;
    for (const auto& [name, text] : pages) {
        xml += XmlEntry(base + name, "2010-03-06");
        html += HtmlRow(base + name, text);
    }
    EXPECT_EQ(FileBytes(root + "sitemap.xml"), xml + kXmlTail);
    EXPECT_EQ(FileBytes(root + "sitemap.html"), html + kHtmlTail);
    ExpectAcceptedByXmllint(root + "sitemap.xml");
    RemoveTree(root);
}

TEST(Generation, WalksBreadthFirstInListingOrder)
{
    std::string root = MakeScratchFolder("order");
    PutPage(root + "a.htm");
    PutPage(root + "z.html");
    PutFolder(root + "docs");
    PutPage(root + "docs\\b.htm");
    PutFolder(root + "docs\\api");
    PutPage(root + "docs\\api\\d.htm");
    PutFolder(root + "img");
    PutPage(root + "img\\c.html");
    PutFolder(root + "empty");
    PutFolder(root + "empty\\deeper");
    PutPage(root + "empty\\deeper\\e.htm");

    EXPECT_EQ(WalkedPages(root), (std::vector<std::string>{"a.htm", "z.html", "docs/b.htm", "img/c.html",
                                                          "docs/api/d.htm", "empty/deeper/e.htm"}));
    RemoveTree(root);
}

TEST(Generation, HiddenSystemLinkedAndEarlierOutputPages)
{
    std::string root = MakeScratchFolder("kinds");
    PutPage(root + "hidden.htm");
    ASSERT_TRUE(SetFileAttributesA((root + "hidden.htm").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(GetFileAttributesA((root + "hidden.htm").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    PutPage(root + "sitemap.html");
    PutPage(root + "sitemap.xml");
    PutFolder(root + "sub");
    PutPage(root + "sub\\sitemap.html");
    PutFolder(root + "sub2");
    PutPage(root + "sub2\\Sitemap.html");
    PutFolder(root + "real");
    PutPage(root + "real\\r.htm");
    // A folder link carries the reparse-point bit besides the directory bit,
    // so it takes the page test as well as being walked.
    LinkFolder(root + "linked.html", "real");

    GenerationOutcome outcome = GenerateSitemaps(root, "http://", true);

    const std::vector<std::string> expected = {"hidden.htm", "linked.html", "sitemap.html", "linked.html/r.htm",
                                               "real/r.htm", "sub/sitemap.html", "sub2/Sitemap.html"};
    EXPECT_EQ(WalkedPages(root), expected);
    EXPECT_EQ(outcome.pageCount, 7);
    std::string xml = FileBytes(root + "sitemap.xml");
    for (const std::string& page : expected)
        EXPECT_NE(xml.find("<loc>http://" + page + "</loc>"), std::string::npos) << page;
    EXPECT_EQ(FileBytes(root + "sitemap.html"),
              kHtmlHead + HtmlRow("http://hidden.htm", "hidden") + HtmlRow("http://linked.html", "linked") +
                  HtmlRow("http://linked.html/r.htm", "r") + HtmlRow("http://real/r.htm", "r") +
                  HtmlRow("http://sub2/Sitemap.html", "Sitemap") + kHtmlTail);
    ExpectAcceptedByXmllint(root + "sitemap.xml");
    RemoveTree(root);
}

TEST(Generation, EmptyFolderTrailingSeparatorAndUncheckedHtml)
{
    std::string root = MakeScratchFolder("empty");
    std::string folder = root.substr(0, root.size() - 1);

    GenerationOutcome withoutSeparator = GenerateSitemaps(folder, "http://x", false);
    std::string firstXml = FileBytes(root + "sitemap.xml");
    GenerationOutcome withSeparator = GenerateSitemaps(root, "http://x", false);

    EXPECT_EQ(withoutSeparator.pageFolder, root);
    EXPECT_EQ(withSeparator.pageFolder, root);
    EXPECT_EQ(withSeparator.pageCount, 0);
    EXPECT_EQ(firstXml, kXmlHead + kXmlTail);
    EXPECT_EQ(FileBytes(root + "sitemap.xml"), firstXml);
    EXPECT_FALSE(Exists(root + "sitemap.html"));
    EXPECT_EQ(OutcomeMessage(withSeparator, false),
              "0 html files is inserted into the sitemap.xml file\r\nin " + root + " folder");
    ExpectAcceptedByXmllint(root + "sitemap.xml");

    // An earlier sitemap.html is a page of the tree, but gets no row of its own,
    // and stays untouched while the check box is cleared.
    PutFile(root + "sitemap.html", "keep me");
    EXPECT_EQ(GenerateSitemaps(root, "http://x", false).pageCount, 1);
    EXPECT_EQ(FileBytes(root + "sitemap.html"), "keep me");
    GenerateSitemaps(root, "http://x", true);
    EXPECT_EQ(FileBytes(root + "sitemap.html"), kHtmlHead + kHtmlTail);
    RemoveTree(root);
}

TEST(Generation, PageDatesAreTheUtcLastWriteDates)
{
    std::string root = MakeScratchFolder("dates");
    PutPage(root + "a.htm", 1999, 12, 31, 23);
    PutPage(root + "b.htm", 2024, 2, 29, 0);

    std::vector<PageEntry> pages;
    FolderWalk(root, "/", [&](const PageEntry& page) { pages.push_back(page); });

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].lastWriteDate, "1999-12-31");
    EXPECT_EQ(pages[1].lastWriteDate, "2024-02-29");
    EXPECT_EQ(pages[1].address, "/b.htm");
    RemoveTree(root);
}

TEST(Generation, BadPageFolderTextIsRefusedAndNothingIsWritten)
{
    std::string root = MakeScratchFolder("refuse");
    PutFile(root + "file.htm", "x");
    for (const std::string& text : {std::string(), root + "missing", root + "missing\\", root + "file.htm"}) {
        GenerationOutcome outcome = GenerateSitemaps(text, "http://x/", true);
        EXPECT_FALSE(outcome.refusal.empty()) << text;
        if (!text.empty()) {
            EXPECT_NE(outcome.refusal.find(text), std::string::npos) << outcome.refusal;
        }
        EXPECT_EQ(OutcomeMessage(outcome, true), outcome.refusal);
    }
    EXPECT_FALSE(Exists(root + "missing"));
    EXPECT_FALSE(Exists("\\sitemap.xml"));
    RemoveTree(root);
}

TEST(Generation, AnOutputThatCannotBeReplacedKeepsItsOldBytesAndIsReported)
{
    std::string root = MakeScratchFolder("held");
    PutPage(root + "a.htm");
    PutFile(root + "sitemap.xml", "old xml");
    // An editor or web server holding the file open without write sharing.
    HANDLE held = CreateFileA((root + "sitemap.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    GenerationOutcome outcome = GenerateSitemaps(root, "http://x/", true);
    CloseHandle(held);

    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_NE(outcome.failures[0].find(root + "sitemap.xml"), std::string::npos) << outcome.failures[0];
    EXPECT_EQ(FileBytes(root + "sitemap.xml"), "old xml");
    EXPECT_EQ(FileBytes(root + "sitemap.html"), kHtmlHead + HtmlRow("http://x/a.htm", "a") + kHtmlTail);
    std::string message = OutcomeMessage(outcome, true);
    EXPECT_EQ(message.find("is inserted"), std::string::npos) << message;
    EXPECT_NE(message.find(outcome.failures[0]), std::string::npos);

    WIN32_FIND_DATAA found;  // no temporary file stays behind
    HANDLE search = FindFirstFileA((root + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveTree(root);
}

TEST(Generation, AFolderNamedSitemapXmlIsReported)
{
    std::string root = MakeScratchFolder("dirout");
    PutFolder(root + "sitemap.xml");
    PutPage(root + "a.htm");

    GenerationOutcome outcome = GenerateSitemaps(root, "http://x/", false);

    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_NE(outcome.failures[0].find(root + "sitemap.xml"), std::string::npos);
    EXPECT_TRUE(GetFileAttributesA((root + "sitemap.xml").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveTree(root);
}

TEST(Generation, LinksBackUpTheTreeAreNotWalkedAgain)
{
    std::string root = MakeScratchFolder("loop");
    PutPage(root + "a.htm");
    PutFolder(root + "sub");
    PutPage(root + "sub\\b.htm");
    PutFolder(root + "other");
    PutPage(root + "other\\c.htm");
    LinkFolder(root + "sub\\up", "..");           // back to the page folder
    LinkFolder(root + "sub\\self", ".");          // to its own folder
    LinkFolder(root + "sub\\sibling", "../other"); // elsewhere: followed

    EXPECT_EQ(WalkedPages(root), (std::vector<std::string>{"a.htm", "other/c.htm", "sub/b.htm", "sub/sibling/c.htm"}));
    RemoveTree(root);
}

TEST(Generation, EntriesTooLongForALookUpAreNeitherPagesNorFolders)
{
    std::string root = MakeScratchFolder("long");
    std::string deep = root + std::string(100, 'd') + "\\";
    PutFolder(deep);
    deep += std::string(100 - (root.size() % 10), 'e') + "\\";
    PutFolder(deep);
    std::vector<std::string> expected;
    for (size_t length = 250; length <= 266; ++length) {
        std::string name = std::string(length - deep.size() - 4, 'p') + ".htm";
        PutPage(deep + name);
        if (EntryAttributes(deep + name) != 0)  // what a look-up by the full path finds
            expected.push_back(name);
    }
    std::string folderName = std::string(262 - deep.size(), 'f') + ".htm";
    PutFolder(deep + folderName);
    PutPage(deep + folderName + "\\x.htm");
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), 17u);

    std::vector<std::string> found;
    FolderWalk(deep, "/", [&](const PageEntry& page) { found.push_back(page.fileName); });

    EXPECT_EQ(found, expected);
    RemoveTree(root);
}

TEST(Generation, RunShowsTheSummaryOwnedByThePrimaryWindow)
{
    std::string root = MakeScratchFolder("run");
    PutPage(root + "a.htm");
    HWND primary = CreateWindowExA(0, "STATIC", "primary", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr);
    SetPrimaryWindow(primary);

    std::vector<MessageBoxSeen> boxes =
        AnswerOwnMessageBoxes([&] { GenerationRun(root.substr(0, root.size() - 1), "http://x", true); });

    ASSERT_EQ(boxes.size(), 1u);
    const MessageBoxSeen& seen = boxes[0];
    EXPECT_EQ(seen.caption, "Quillmarn");
    EXPECT_EQ(seen.text,
              "1 html files is inserted into the sitemap.xml and the sitemap.html file\r\nin " + root + " folder");
    EXPECT_EQ(seen.owner, primary);
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(seen.hasIcon);
    DestroyWindow(primary);
    RemoveTree(root);
}
