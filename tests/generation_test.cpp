#include "common/entry_attributes.h"
#include "common/file_replace.h"
#include "common/platform_error_text.h"
#include "common/wide_text.h"
#include "sitemap/address_escape.h"
#include "sitemap/folder_listing.h"
#include "sitemap/folder_opener.h"
#include "sitemap/folder_walk.h"
#include "sitemap/generation_run.h"
#include "sitemap/page_date.h"
#include "sitemap/run_texts.h"
#include "sitemap/stored_elsewhere.h"
#include "support/own_message_boxes.h"
#include "support/test_paths.h"
#include "support/unix_command.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <utility>

namespace {

// The path taken exactly as named (a trailing dot kept, lengths past MAX_PATH allowed).
std::wstring Verbatim(const std::string& path) { return L"\\\\?\\" + WideFromAnsi(path); }

// Creates a page with a UTC last-write time.
void PutPage(const std::string& path, SYSTEMTIME utc = {2010, 3, 0, 6, 12, 0, 0, 0})
{
    HANDLE file = CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written;  // some bytes, so that an output written over an earlier page shows
    WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &stamp));
    CloseHandle(file);
}

void PutFolder(const std::string& path) { CreateDirectoryW(Verbatim(path).c_str(), nullptr); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The one message box a generation run shows.
MessageBoxSeen ShownBy(const std::string& pageFolderText, const std::string& webAddressText, bool htmlFlag)
{
    std::vector<MessageBoxSeen> boxes =
        AnswerOwnMessageBoxes([&] { GenerationRun(pageFolderText, webAddressText, htmlFlag); });
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? MessageBoxSeen{} : boxes[0];
}

std::string Golden(const std::string& name) { return FileBytes(SourceFolder() + "tests\\data\\" + name); }

// Empty when the maps are equal, else the entry (from one separator on) in
// which they first differ, shown from a little before the difference.
std::string FirstDifference(const std::string& actual, const std::string& expected, const std::string& separator)
{
    size_t at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first - expected.begin();
    if (at == expected.size() && at == actual.size())
        return "";
    size_t entry = expected.rfind(separator, at), from = std::max(entry + 1, at > 120 ? at - 119 : 1) - 1;
    return "in the entry at byte " + std::to_string(entry) + ": expected\n" + expected.substr(from, 240) +
           "\nbut found\n" + actual.substr(from, 240);
}

std::string XmlEntry(const std::string& address, const std::string& date)
{
    return "<url>\r\n\t<loc>" + address + "</loc>\r\n\t<lastmod>" + date + "</lastmod>\r\n"
           "\t<changefreq>weekly</changefreq>\r\n\t<priority>0.0</priority>\r\n</url>\r\n";
}

// Both maps as a run writes them for pages dated as PutPage dates them.
struct ExpectedMaps {
    std::string xml = Golden("tree.xml").substr(0, Golden("tree.xml").find("<url>"));
    std::string html = Golden("tree.html").substr(0, Golden("tree.html").find("<tr>"));

    void Add(const std::string& address, const std::string& link)
    {
        xml += XmlEntry(address, "2010-03-06");
        html += "<tr><td>\r\n<a href=\"" + address + "\">" + link + "</a></td></tr>\r\n";
    }
    void Check(const std::string& folder) const
    {
        EXPECT_EQ(FirstDifference(FileBytes(folder + "sitemap.xml"), xml + "</urlset>\r\n", "<url>"), "");
        EXPECT_EQ(FirstDifference(FileBytes(folder + "sitemap.html"), html + "</table></body></html>\r\n", "<tr>"), "");
    }
};

// Windows 7 refuses the newer listing record class, in one of two words.
DWORD refusal;
BOOL WINAPI RefuseTheNewerClass(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS recordClass, LPVOID records, DWORD size)
{
    SetLastError(refusal);
    return recordClass != FileFullDirectoryInfo && GetFileInformationByHandleEx(folder, recordClass, records, size);
}

// A share that drops in the middle of a listing: the root and f10 take two
// requests each (entries, then "no more"), the long f11 more than two.
BOOL WINAPI DropInTheSecondRequestOfF11(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID records, DWORD size)
{
    static int requests = 0;
    SetLastError(ERROR_NETNAME_DELETED);
    return ++requests <= 5 && GetFileInformationByHandleEx(folder, kind, records, size);
}

// Every folder answers an id of all ones, as ReFS does for an id past 64 bits.
BOOL WINAPI AllOnes(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID id, DWORD size) { return memset(id, 0xFF, size), TRUE; }

// The folder f12 cannot be listed at all, for the row's reason.
DWORD f12Refusal;
BOOL WINAPI RefuseF12(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID records, DWORD size)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetFinalPathNameByHandleW(folder, path, MAX_PATH, 0);
    if (length < MAX_PATH && std::wstring_view(path, length).ends_with(L"\\f12"))
        return SetLastError(f12Refusal), FALSE;
    return GetFileInformationByHandleEx(folder, kind, records, size);
}

}  // namespace

// The expected maps are tests/data/tree.xml and tree.html.
TEST(Generation, TreeGivesByteExactMaps)
{
    TIME_ZONE_INFORMATION zone;  // local dates must differ from UTC dates (ctest sets TZ)
    ASSERT_NE(GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
    ASSERT_LE(zone.Bias, -13 * 60) << "run with TZ=<+14>-14";
    std::string root = MakeScratchFolder("tree");
    for (const char* page : {"Q&A.htm", "it's.htm", "my page.htm", "t~=@#$!.htm", "caf\xE9.htm", "INDEX.HTM",
                             "a.b.Html", ".htm", "hidden.htm", "a.htmx", "a.xhtml", "a.ht", "htm", "sitemap.html",
                             "sitemap.xml", "a.htm.bak", "a.shtml",
                             "README", "dot.htm.", "docs\\b.htm", "docs\\api\\d.htm", "img\\c.html",
                             "img\\Sitemap.html", "my docs\\e.htm", "empty\\deeper\\f.htm", "sub\\sitemap.html",
                             "foo.\\dot.htm", "foo\\plain.htm"}) {
        std::string path = root + page;
        for (size_t at = path.find('\\', root.size()); at != std::string::npos; at = path.find('\\', at + 1))
            PutFolder(path.substr(0, at));
        PutPage(path);
    }
    PutPage(root + "y2k.htm", {1999, 12, 0, 31, 23, 59, 59, 0});
    PutPage(root + "leap.htm", {2024, 2, 0, 29, 0, 0, 0, 0});
    SetFileAttributesA((root + "hidden.htm").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(GetFileAttributesA((root + "hidden.htm").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // From the Linux side, dated as the pages: folder links (linked.html has the reparse-point bit, so it takes the
    // page test too; sub/sibling is not back up the tree: walked) and names outside code page 1252, a page and a
    // folder holding a page.
    std::string links = "ln -s docs linked.html && ln -s .. sub/up && ln -s . sub/self && ln -s ../img sub/sibling";
    std::string names = "n=$(printf '\\346\\227\\245\\346\\234\\254') && mkdir $n";
    ASSERT_EQ(RunUnixCommand("cd " + UnixPath(root) + " && " + links + " && " + names +
                             " && touch -d @1267876800 linked.html sub/up sub/self sub/sibling $n.html $n/a.html"), 0);
    // The page folder again below itself without the link bit, as a file server's alias shows it.
    std::string alias = UnixPath(root + "empty\\alias");
    bool mounted = RunUnixCommand("mkdir " + alias + " && mount --bind " + UnixPath(root) + " " + alias) == 0;
    std::cout << (mounted ? "" : "mounting was refused here: the alias row is not run\n");
    std::string earlierHtml = FileBytes(root + "sitemap.html");
    std::string webAddress = "http://x/\"<>%~\t\xFF";

    MessageBoxSeen summary = ShownBy(root.substr(0, root.size() - 1), webAddress, false);
    EXPECT_EQ(summary.text, "28 html files is inserted into the sitemap.xml file\r\nin " + root + " folder");
    EXPECT_FALSE(summary.hasIcon);
    EXPECT_EQ(summary.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(FileBytes(root + "sitemap.html"), earlierHtml);
    EXPECT_EQ(FirstDifference(FileBytes(root + "sitemap.xml"), Golden("tree.xml"), "<url>"), "");
    for (DWORD word : {ERROR_INVALID_PARAMETER, ERROR_NOT_SUPPORTED}) {
        refusal = word;
        listingRequest = RefuseTheNewerClass;
        GenerateSitemaps(root, webAddress, false);
        listingRequest = GetFileInformationByHandleEx;
        EXPECT_EQ(FirstDifference(FileBytes(root + "sitemap.xml"), Golden("tree.xml"), "<url>"), "") << word;
    }
    EXPECT_EQ(GenerateSitemaps(root, webAddress, true).pageCount, 28);
    EXPECT_EQ(FirstDifference(FileBytes(root + "sitemap.xml"), Golden("tree.xml"), "<url>"), "");
    EXPECT_EQ(FirstDifference(FileBytes(root + "sitemap.html"), Golden("tree.html"), "<tr>"), "");
    EXPECT_EQ(RunUnixCommand("xmllint --noout " + UnixPath(root + "sitemap.xml")), 0);
    EXPECT_TRUE(!mounted || RunUnixCommand("umount " + alias) == 0);

    RemoveTree(root);
}

TEST(Generation, RefusalsAndOutputsThatCannotBePutInPlace)
{
    std::string root = MakeScratchFolder("outputs");
    GenerateSitemaps(root, "http://x", false);  // a folder without pages
    std::string bare = FileBytes(root + "sitemap.xml");
    EXPECT_EQ(bare, Golden("tree.xml").substr(0, Golden("tree.xml").find("<url>")) + "</urlset>\r\n");
    // An empty text would name the root of the current drive: C:, whose root the test can look at.
    SetCurrentDirectoryA("C:\\windows");
    ASSERT_FALSE(Exists("C:\\sitemap.xml"));
    for (const std::string& text : {std::string(), root + "missing", root + "sitemap.xml"}) {
        std::string refusal = text.empty()
            ? "No page folder was given.\r\nType the folder that holds the pages, or choose it with Browse."
            : "The page folder \"" + text + "\" does not exist or is not a folder.\r\nNothing was written.";
        MessageBoxSeen box = ShownBy(text, "http://x/", true);
        EXPECT_EQ(box.text, refusal);
        EXPECT_TRUE(box.hasIcon);
    }
    SetCurrentDirectoryA(TestProgramFolder().c_str());
    EXPECT_FALSE(Exists("C:\\sitemap.xml") || Exists("C:\\sitemap.html") || Exists(root + "sitemap.html"));

    PutPage(root + "a.htm");  // an editor or web server holds sitemap.xml open without write sharing
    HANDLE held = CreateFileA((root + "sitemap.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    MessageBoxSeen failure = ShownBy(root, "http://x/", true);
    CloseHandle(held);
    EXPECT_NE(failure.text.find(root + "sitemap.xml"), std::string::npos) << failure.text;
    EXPECT_TRUE(failure.text.ends_with("\r\n\r\n1 html files were found; the files named above were not changed."));
    EXPECT_TRUE(failure.hasIcon);
    EXPECT_EQ(FileBytes(root + "sitemap.xml"), bare);
    EXPECT_NE(FileBytes(root + "sitemap.html").find("\"http://x/a.htm\""), std::string::npos);
    RemoveTree(root);
}

// A page folder as long as the platform allows, and entries beyond its reach.
TEST(Generation, ALongPageFolderAndEntriesBeyondThePathLimit)
{
    std::string scratch = MakeScratchFolder("long");
    std::string folder = scratch + std::string(246 - scratch.size(), 'l') + "\\";
    PutFolder(folder);
    // Paths of 259 characters are within the platform's reach, of 260 not: neither pages nor folders.
    PutFolder(folder + "folder0260");
    for (const char* name : {"edge0259.htm", "edge00260.htm", "folder0260\\x.htm"})
        PutPage(folder + name);
    ASSERT_EQ(folder.size(), 247u);
    EXPECT_EQ(GenerateSitemaps(folder, "http://x/", true).failures, std::vector<std::string>{});
    ExpectedMaps maps;
    maps.Add("http://x/edge0259.htm", "edge0259");
    maps.Check(folder);
    RemoveTree(scratch);
}

// A whole drive as the page folder: the system's folders at its root are no part of the site, the same names
// elsewhere are.
TEST(Generation, AWholeDriveLeavesOutTheSystemsFoldersAtItsRoot)
{
    std::string root = MakeScratchFolder("drive");
    for (const char* page : {"r.htm", "$RECYCLE.BIN\\S-1-5-21-1\\$R1A2B3C.html", "recycler\\x.htm",
                             "System Volume Information\\y.htm", "kept\\$RECYCLE.BIN\\z.htm"})
        PutFile(root + page, "");
    ASSERT_EQ(RunUnixCommand("find " + UnixPath(root) + " -exec touch -d @1267876800 {} + && ln -sfn " +
                             UnixPath(root) + " \"$WINEPREFIX/dosdevices/q:\""), 0);
    EXPECT_EQ(GenerateSitemaps(root, "http://d/", false).pageCount, 5);  // not a volume's root
    EXPECT_EQ(OutcomeMessage(GenerateSitemaps("Q:", "http://d/", true), true),
              "2 html files is inserted into the sitemap.xml and the sitemap.html file\r\nin Q:\\ folder");
    ExpectedMaps maps;
    maps.Add("http://d/r.htm", "r");
    maps.Add("http://d/kept/%24RECYCLE.BIN/z.htm", "z");
    maps.Check(root);
    EXPECT_EQ(RunUnixCommand("rm \"$WINEPREFIX/dosdevices/q:\""), 0);
    RemoveTree(root);
}

// Run by ctest under a Japanese locale: the second byte of a double-byte character can be "\\" or "|".
TEST(CodePage932, BothBytesOfADoubleByteCharacterAreEscaped)
{
    ASSERT_EQ(GetACP(), 932u) << "run with QUORREL_LOCALE=ja_JP.UTF-8";
    std::string root = MakeScratchFolder("cp932");
    for (const char* folder : {"\x83\x5C", "\x83\x7C"})  // ソ ポ
        PutFolder(root + folder);
    for (const char* page : {"\x95\x5C.html", "\x83\x5C\\index.html", "\x83\x7C\\a.html"})  // 表.html ...
        PutPage(root + page);
    // Outside the code page: UTF-8, whose last byte 0x81 is no lead byte there.
    ASSERT_EQ(RunUnixCommand("cd " + UnixPath(root) + " && touch -d @1267876800 $(printf '\\304\\201').html"), 0);
    EXPECT_EQ(GenerateSitemaps(root, "http://example.jp/\x95\x5C", true).pageCount, 4);
    ExpectedMaps maps;
    maps.Add("http://example.jp/%95%5C/%C4%81.html", "%C4%81");
    maps.Add("http://example.jp/%95%5C/%95%5C.html", "%95%5C");
    maps.Add("http://example.jp/%95%5C/%83%5C/index.html", "index");
    maps.Add("http://example.jp/%95%5C/%83%7C/a.html", "a");
    maps.Check(root);
    RemoveTree(root);
}

// More folders than are opened ahead, some nested, and a folder whose
// listing takes several requests: every page once, in walk order, in both maps.
TEST(Generation, ManyFoldersAndALongListingGiveEveryPageOnceInWalkOrder)
{
    std::string root = MakeScratchFolder("many");
    std::vector<std::string> folders = {""};  // in walk order: f10-f39 side by side, g10-g15 in f15, h10-h13 in f15/g13
    for (int at = 10; at < 50; ++at) {
        std::string number = std::to_string(at < 40 ? at : at < 46 ? at - 30 : at - 36);
        folders.push_back((at < 40 ? "f" : at < 46 ? "f15/g" : "f15/g13/h") + number + "/");
    }
    std::string command = "cd " + UnixPath(root) + " && for d in";
    for (const std::string& folder : folders)
        command += " ./" + folder;
    command += "; do mkdir -p $d && : > ${d}a.htm && : > ${d}b.html && : > ${d}c.txt; done && cd f11 && "
               "y=$(printf %0120d 0 | tr 0 y) && for i in $(seq 1000 2999); do : > n$i$y.htm && : > o$i$y.txt; done && "
               "find .. -exec touch -d @1267876800 {} +";
    ASSERT_EQ(RunUnixCommand(command), 0);
    // Long addresses: pieces come faster than the disk takes them, and wait in turn.
    const std::string web = "http://x/" + std::string(4000, 'w') + "/";
    ExpectedMaps maps;
    for (const std::string& folder : folders) {
        maps.Add(web + folder + "a.htm", "a");
        maps.Add(web + folder + "b.html", "b");
        for (int at = 1000; folder == "f11/" && at < 3000; ++at) {
            std::string name = 'n' + std::to_string(at) + std::string(120, 'y');
            maps.Add(web + "f11/" + name + ".htm", name);
        }
    }
    identityRequest = AllOnes;  // an unknown identity is no other folder's: each is walked
    EXPECT_EQ(GenerateSitemaps(root, web, false).pageCount, 2 * 41 + 2000);
    identityRequest = GetFileInformationByHandleEx;
    // With a read-ahead that waits for ever, ctest's time-out ends the program.
    EXPECT_EQ(GenerateSitemaps(root, web, true).pageCount, 2 * 41 + 2000);
    maps.Check(root);

    // A listing that breaks off fails the run: both maps kept, nothing left behind, nothing left open.
    listingRequest = DropInTheSecondRequestOfF11;
    GenerationOutcome broken = GenerateSitemaps(root, "http://y/", true);
    listingRequest = GetFileInformationByHandleEx;
    EXPECT_EQ(OutcomeMessage(broken, true), "Could not list the folder " + root + "f11\\:\r\n" +
                                                PlatformErrorText(ERROR_NETNAME_DELETED) +
                                                "\r\n\r\nNo site map was changed.");
    maps.Check(root);

    // A folder that cannot be listed at all is passed over, unless its device or connection failed.
    listingRequest = RefuseF12;
    const std::pair<DWORD, bool> refusals[] = {{ERROR_NETNAME_DELETED, true}, {ERROR_NOT_READY, true},
        {362, true} /* a sync client not running */, {ERROR_PATH_NOT_FOUND, false}, {ERROR_ACCESS_DENIED, false},
        {ERROR_CANT_ACCESS_FILE, false}, {ERROR_CANT_RESOLVE_FILENAME, false}, {ERROR_INVALID_NAME, false}};
    for (auto [error, stops] : refusals) {
        f12Refusal = error;
        GenerationOutcome outcome = GenerateSitemaps(root, "http://y/", true);
        EXPECT_EQ(outcome.pageCount, stops ? outcome.pageCount : 2 * 40 + 2000 + 1) << error;  // + sitemap.html
        EXPECT_EQ(OutcomeMessage(outcome, true).starts_with("Could not list the folder " + root + "f12\\:"), stops);
        if (stops)
            maps.Check(root);
    }
    EXPECT_EQ(EntryAttributes(WideFromAnsi(root + "~q*")), 0u);
    for (const std::string& folder : folders) {  // a folder still open somewhere cannot be opened alone
        HANDLE alone = CreateFileA((root + folder).c_str(), FILE_LIST_DIRECTORY, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        EXPECT_NE(alone, INVALID_HANDLE_VALUE) << folder << " was left open";
        CloseHandle(alone);
    }
    RemoveTree(root);
}

// Past 50,000 entries or 52,428,800 bytes the pages go, in walk order, into parts as full as the limits let them
// be, each a map of the usual form, and sitemap.xml lists them; a part no longer listed goes, one of the user's stays.
TEST(Generation, LargeSitesGoIntoPartsThatSitemapXmlLists)
{
    // Long addresses, where the byte limit closes a part first: full parts of exactly 52,428,800 bytes, then parts
    // that would take one entry more but for their closing line.
    struct Row { int pages; size_t webLength; int parts; };
    const Row rows[] = {{50000, 0, 0}, {50001, 2287, 3}, {50001, 1352, 2}, {50001, 0, 2}};
    const std::string head = ExpectedMaps().xml, end = "</urlset>\r\n";
    std::string root = MakeScratchFolder("parts");
    PutFile(root + "sitemap9.xml", "the user's");
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.pages) + " pages under a web address of " + std::to_string(row.webLength));
        // Pages p000001~~~~~.htm and on, dated by their number in five months.
        ASSERT_EQ(RunUnixCommand("cd " + UnixPath(root) + " && for m in 1 2 3 4 5; do seq -f p%06g~~~~~.htm $m 5 " +
                                 std::to_string(row.pages) + " | xargs touch -d 2010-0$m-06T12:00Z; done"), 0);
        std::string web = "http://" + std::string(row.webLength, 'w') + "x/";
        std::string parts = "sitemap.xml lists " + std::to_string(row.parts) + " parts: sitemap1.xml to sitemap";
        EXPECT_EQ(OutcomeMessage(GenerateSitemaps(root, web, false), false),
                  std::to_string(row.pages) + " html files is inserted into the sitemap.xml file\r\nin " + root +
                      " folder" + (row.parts ? "\r\n" + parts + std::to_string(row.parts) + ".xml" : ""));
        std::string index = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                            "<sitemapindex xmlns=\"http://www.google.com/schemas/sitemap/0.84\">\r\n";
        for (int part = 1, page = 1; page <= row.pages; ++part) {  // each part takes pages while both limits let it
            std::string expected = head, newest;
            for (int entries = 0; page <= row.pages && entries < 50000; ++entries, ++page) {
                std::string date = "2010-0" + std::to_string((page - 1) % 5 + 1) + "-06";
                std::string entry = XmlEntry(web + 'p' + std::to_string(1000000 + page).substr(1) +
                                             "%7E%7E%7E%7E%7E.htm", date);
                if (expected.size() + entry.size() + end.size() > 52428800)
                    break;
                expected += entry;
                newest = std::max(newest, date);
            }
            std::string name = row.parts ? "sitemap" + std::to_string(part) + ".xml" : "sitemap.xml";
            EXPECT_EQ(FirstDifference(FileBytes(root + name), expected + end, "<url>"), "") << name;
            index += "<sitemap>\r\n\t<loc>" + web + name + "</loc>\r\n\t<lastmod>" + newest +
                     "</lastmod>\r\n</sitemap>\r\n";
        }
        EXPECT_FALSE(Exists(root + "sitemap" + std::to_string(row.parts + 1) + ".xml")) << "a part too many";
        EXPECT_TRUE(!row.parts || FileBytes(root + "sitemap.xml") == index + "</sitemapindex>\r\n")
            << "sitemap.xml does not list each part with its newest date";
    }
    // A part held open: the index stays, the parts before it are replaced and named, nothing is left behind.
    std::string index = FileBytes(root + "sitemap.xml");
    HANDLE held = CreateFileA((root + "sitemap2.xml").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string message = OutcomeMessage(GenerateSitemaps(root, "http://y/", false), false);
    CloseHandle(held);
    EXPECT_TRUE(message.starts_with("Could not write " + root + "sitemap2.xml") &&
                message.ends_with("not changed.\r\nAlready replaced before that: sitemap1.xml.")) << message;
    EXPECT_EQ(FileBytes(root + "sitemap.xml"), index);
    EXPECT_EQ(EntryAttributes(WideFromAnsi(root + "~q*")), 0u);
    EXPECT_EQ(FileBytes(root + "sitemap9.xml"), "the user's");
    EXPECT_EQ(RunUnixCommand("rm -r " + UnixPath(root)), 0);  // many times faster than through Wine
}

namespace {

// The replacement's platform calls as made; the one named failing fails as
// on a write-protected medium, "write nothing" takes no byte yet succeeds.
// A target held while the run starts is let go at the first refused move.
std::vector<std::string> calls;
std::string failing;
DWORD failure, askedBits;
std::set<std::wstring> namesTried;
int namesTriedAgain;
HANDLE heldTarget;
int listingRequests;

bool Call(const std::string& name)
{
    calls.push_back(name);
    SetLastError(failure);
    return name != failing;
}

HANDLE WINAPI Create(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD how, DWORD flags,
                     HANDLE model)
{
    namesTriedAgain += !namesTried.insert(path).second;
    HANDLE file = Call("create") ? CreateFileW(path, access, share, security, how, flags, model) : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
        SetLastError(ERROR_ACCESS_DENIED);  // as Windows answers a name whose file is marked for deletion
    return file;
}
BOOL WINAPI Mark(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size)
{
    return Call(*static_cast<BOOLEAN*>(information) ? "mark" : "unmark") &&
           SetFileInformationByHandle(file, kind, information, size);
}
BOOL WINAPI Write(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (failing == "write nothing" && Call("write"))
        return *written = 0, SetLastError(ERROR_SUCCESS), TRUE;
    return Call("write") && WriteFile(file, bytes, size, written, overlapped);
}
BOOL WINAPI Flush(HANDLE file) { return Call("flush") && FlushFileBuffers(file); }
BOOL WINAPI Close(HANDLE file) { return CloseHandle(file) && Call("close"); }
DWORD WINAPI OldAttributes(LPCWSTR)
{
    return (failing == "read-only target" ? FILE_ATTRIBUTE_READONLY : 0) | FILE_ATTRIBUTE_HIDDEN |
           FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;
}
BOOL WINAPI Attributes(LPCWSTR path, DWORD bits)
{
    return askedBits = askedBits ? askedBits : bits, Call("attributes") && SetFileAttributesW(path, bits);
}
BOOL WINAPI Move(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (Call("move") && MoveFileExW(from, to, flags))
        return TRUE;
    DWORD error = GetLastError();
    if (heldTarget)
        CloseHandle(std::exchange(heldTarget, nullptr));
    return SetLastError(error), FALSE;
}
BOOL WINAPI Delete(LPCWSTR path) { return Call("delete") && DeleteFileW(path); }
void WINAPI Pause(DWORD ms) { Call("pause"), Sleep(ms); }
// Windows puts a file that a program without a manifest makes in a protected folder into the user's VirtualStore.
DWORD WINAPI FinalPath(HANDLE file, LPWSTR path, DWORD size, DWORD form)
{
    DWORD length = GetFinalPathNameByHandleW(file, path, size, form);
    if (failing != "stored elsewhere" || length >= size || !wcsstr(path, L"\\~q"))
        return length;
    return wcslen(wcscpy(path, L"\\Device\\HarddiskVolume1\\Users\\me\\AppData\\Local\\VirtualStore\\site\\~q0000"));
}
BOOL WINAPI CountedListing(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS recordClass, LPVOID records, DWORD size)
{
    ++listingRequests;
    return GetFileInformationByHandleEx(folder, recordClass, records, size);
}

}  // namespace

// Marked for deletion until just before it is closed and put in place, flushed
// first, the old file never deleted; a failure at any step keeps the old bytes
// and leaves no temporary file; a target held for a moment is waited out; a
// run whose output Windows would keep elsewhere fails before the walk.
TEST(Replacement, MarkedFlushedClosedThenMovedAndAFailureAtAnyStepKeepsTheOldFile)
{
    struct Row { const char* failing; DWORD reason; std::vector<std::string> calls; };
    const std::vector<std::string> made = {"create", "mark", "write", "flush", "unmark", "close"};
    auto then = [&](std::vector<std::string> t) { return t.insert(t.begin(), made.cbegin(), made.cend()), t; };
    const Row rows[] = {
        {"", 0, then({"attributes", "move"})},
        {"held a moment", 0, then({"attributes", "move", "pause", "move"})},
        {"mark", 0, {"create", "mark", "write", "flush", "close", "attributes", "move"}},  // unmarked, as before
        {"create", ERROR_WRITE_PROTECT, {"create"}},
        {"create", ERROR_ACCESS_DENIED, {"create", "create", "create", "create"}},  // a folder nothing may be made in
        {"write", ERROR_WRITE_PROTECT, {"create", "mark", "write", "close"}},  // the close takes the file
        {"write nothing", ERROR_WRITE_FAULT, {"create", "mark", "write", "close"}},
        {"flush", ERROR_WRITE_PROTECT, {"create", "mark", "write", "flush", "close"}},
        {"unmark", ERROR_WRITE_PROTECT, {"create", "mark", "write", "flush", "unmark", "close"}},
        {"close", ERROR_WRITE_PROTECT, then({"delete"})},
        {"read-only target", ERROR_ACCESS_DENIED, then({"delete"})},  // as Windows refuses to move over it
        {"attributes", ERROR_WRITE_PROTECT, then({"attributes", "delete"})},
        {"move", ERROR_WRITE_PROTECT, then({"attributes", "move", "delete"})},
        {"stored elsewhere", ERROR_ACCESS_DENIED, {"create", "mark", "close"}},
    };
    std::string root = MakeScratchFolder("steps");
    PutPage(root + "a.htm");
    const ReplacementCalls platform = replacementCalls;
    replacementCalls = {Create, Mark, Write, Flush, Close, OldAttributes, Attributes, Move, Delete, Pause};
    listingRequest = CountedListing;
    finalPathRequest = FinalPath;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.failing) + " failing, error " + std::to_string(row.reason));
        PutFile(root + "sitemap.xml", "old");
        bool held = row.failing == std::string("held a moment");
        heldTarget = held ? CreateFileA((root + "sitemap.xml").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0)
                          : nullptr;
        calls.clear();
        failing = row.failing;
        failure = row.reason ? row.reason : ERROR_WRITE_PROTECT;
        askedBits = listingRequests = 0;
        GenerationOutcome outcome = GenerateSitemaps(root, "http://x/", false);
        EXPECT_EQ(calls, row.calls);
        EXPECT_EQ(FileBytes(root + "sitemap.xml") == "old", row.reason != 0);
        EXPECT_EQ(EntryAttributes(WideFromAnsi(root + "~q*")), 0u);
        EXPECT_TRUE(row.reason == 0 ||
                    (outcome.failures.size() == 1 && outcome.failures[0].find(root) != std::string::npos &&
                     outcome.failures[0].find(PlatformErrorText(row.reason)) != std::string::npos))
            << OutcomeMessage(outcome, false);
        if (row.calls.back() == "move") {  // the old bits that matter, and new bytes for the backup
            EXPECT_EQ(askedBits, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                     FILE_ATTRIBUTE_ARCHIVE);
        }
        // No output could be begun, or none where it belongs: reported before any folder is listed.
        bool walked = std::count(row.calls.begin(), row.calls.end(), "write");
        EXPECT_EQ(listingRequests != 0, walked);
        EXPECT_EQ(OutcomeMessage(outcome, false).ends_with("No site map was changed."), !walked);
    }
    failing = "";  // both outputs of a run, begun in one tick, never try the same name
    for (int run = 0; run < 5; ++run)
        EXPECT_EQ(GenerateSitemaps(root, "http://x/", true).failures, std::vector<std::string>{});
    EXPECT_EQ(namesTriedAgain, 0);
    replacementCalls = platform;
    listingRequest = GetFileInformationByHandleEx;
    finalPathRequest = GetFinalPathNameByHandleW;
    RemoveTree(root);
}

TEST(PageDate, WholeRangeAndNoCalendarTime)
{
    const std::pair<FILETIME, std::string> rows[] = {
        {{0, 0}, "1601-01-01"},                   {{0xFFFFFFFF, 0x7FFFFFFF}, "30828-09-14"},
        {{0x16363FFF, 0x01BF8311}, "2000-02-29"}, {{0x682CFFFF, 0x022FA089}, "2100-03-01"},
        {{0xC43F7FFF, 0x014F6598}, "1900-02-28"}, {{0x913B7FFF, 0x0380E70B}, "2400-12-31"},
        {{0xFFFFFFFF, 0xFFFFFFFF}, ""}};  // the last tick of each day; the last: no calendar time
    for (const auto& [lastWrite, date] : rows)
        EXPECT_EQ(FormatLastWriteDate(lastWrite), date) << date;
}

TEST(AddressEscape, KeptRangesEntitiesAndPercentBytes)
{
    const std::pair<int, const char*> rows[] = {
        {33, "%21"}, {35, "%23"}, {39, "&apos;"}, {40, "("}, {59, ";"}, {61, "%3D"}, {63, "%3F"}, {64, "%40"},
        {65, "A"}, {125, "}"}, {126, "%7E"}, {127, "%7F"}, {233, "%E9"}, {0, "%00"},
        {'&', "&amp;"}, {'"', "&quot;"}, {'<', "&lt;"}, {'>', "&gt;"},
    };
    for (const auto& [byte, escaped] : rows)
        EXPECT_EQ(escapeAddress(std::string(1, static_cast<char>(byte))), escaped) << "byte " << byte;
}

TEST(RunTexts, TrailingSeparatorIsJudgedByCharacters)
{
    LeadBytePredicate cp932 = [](unsigned char byte) { return IsDBCSLeadByteEx(932, byte) != 0; };
    LeadBytePredicate cp1252 = [](unsigned char byte) { return IsDBCSLeadByteEx(1252, byte) != 0; };
    struct Row { std::string text; char separator; LeadBytePredicate isLeadByte; bool appended; };
    const Row rows[] = {
        {"C:\\web\\", '\\', cp932, false},        {"C:\\web", '\\', cp932, true},
        {"C:\\\x83\x5C", '\\', cp932, true},       // ends in the character 0x83 0x5C
        {"C:\\\x83\x5C", '\\', cp1252, false},     {"C:\\\x83\x5C\\", '\\', cp932, false},
        {"C:\\\x83\x83\x5C", '\\', cp932, false},  // 0x83 0x83, then "\"
        {"", '/', NoLeadBytes, true},             {"http://", '/', NoLeadBytes, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WithTrailing(row.text, row.separator, row.isLeadByte),
                  row.appended ? row.text + row.separator : row.text) << row.text;
}
