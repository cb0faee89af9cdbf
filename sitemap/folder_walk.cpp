#include "sitemap/folder_walk.h"

#include "common/entry_attributes.h"
#include "common/wide_text.h"
#include "sitemap/address_escape.h"
#include "sitemap/folder_listing.h"
#include "sitemap/folder_opener.h"
#include "sitemap/name_bytes.h"
#include "sitemap/page_date.h"
#include "sitemap/page_selection.h"

#include <windows.h>

#include <deque>
#include <vector>

namespace {

// The longest path the platform's ANSI look-ups take: MAX_PATH with its
// terminating zero. An entry or listing beyond it is out of the walk's
// reach, as it always was with those look-ups.
constexpr size_t kLongestPath = MAX_PATH - 1;
// A folder is listed only where the look-ups' pattern "*.*" would still fit
// after its path, so the walk reaches exactly what it always reached.
constexpr size_t kListingPatternLength = 3;

// A walked folder's identity and the walked folder it was found in (-1 for the root).
struct AncestryNode {
    FolderIdentity identity;
    int parent;
};

struct QueuedFolder {
    FolderToOpen toOpen;  // its path ends in "\"
    std::string webPath;  // the names' bytes, "/"-separated, ending in "/" or empty
    int parentNode;
    bool listable;  // its path leaves room for the pattern
};

bool SameFolder(const FolderIdentity& a, const FolderIdentity& b)
{
    return a.known && b.known && a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

// A link leads back up the tree, and so does a folder that a file server or
// a mount makes the same as one above it without showing a link.
bool IsOnAncestorChain(const std::vector<AncestryNode>& nodes, int node, const FolderIdentity& identity)
{
    for (; node >= 0; node = nodes[node].parent)
        if (SameFolder(nodes[node].identity, identity))
            return true;
    return false;
}

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

struct FolderWalker {
    const std::string& webAddress;
    const PageSink& deliver;
    FolderOpener& opener;
    std::deque<QueuedFolder> queue;
    std::vector<AncestryNode> nodes;
    ListingState listing;
    WalkBreak broken;
    PageEntry page;  // its buffers are used again for every page
    std::string addressStart;

    // Folders are opened in the order they are queued, a little ahead of the
    // listing; a queued folder stays in place until it is taken.
    void Queue(std::wstring folderPath, std::string webPath)
    {
        bool listable = folderPath.size() + kListingPatternLength <= kLongestPath;
        int parentNode = static_cast<int>(nodes.size()) - 1;
        queue.push_back({{std::move(folderPath), {}, false}, std::move(webPath), parentNode, listable});
        if (listable)
            OpenAhead(opener, queue.back().toOpen);
    }

    // Each entry's facts come from its own listing record.
    void TakeEntry(const QueuedFolder& folder, const ListedEntry& listed)
    {
        const std::wstring& folderPath = folder.toOpen.folderPath;
        if (folderPath.size() + listed.name.size() > kLongestPath)
            return;
        uint32_t attributes = NonZeroAttributes(listed.attributes);
        NameBytes(listed.name, page.fileName);
        // A folder with any further attribute bit also takes the page test.
        if (IsPresentNonFolder(attributes) && HasPageExtension(page.fileName)) {
            page.lastWriteDate = FormatLastWriteDate(listed.lastWrite);
            page.address = addressStart;
            appendEscapedAddress(page.address, page.fileName);
            deliver(page);
        }
        if (attributes & kDirectoryBit) {
            std::wstring path = folderPath;
            Queue(path.append(listed.name).append(L"\\"), folder.webPath + page.fileName + "/");
        }
    }

    void ListFolder(const QueuedFolder& folder, HANDLE handle)
    {
        // Escaping works byte by byte, so a folder's part is escaped once.
        addressStart = escapeAddress(webAddress + folder.webPath);
        page.webPath = folder.webPath;
        ListingOutcome listed = ListOpenFolder(handle, listing, [&](const ListedEntry& entry) {
            if (!IsDotEntry(entry.name))
                TakeEntry(folder, entry);
        });
        if (listed.end == ListingEnd::Broken)
            broken = {folder.toOpen.folderPath, listed.error};
    }

    void WalkFolder(const QueuedFolder& folder, const OpenedFolder& opened)
    {
        // A folder met again below itself: walking it again would never end.
        if (!IsOnAncestorChain(nodes, folder.parentNode, opened.identity)) {
            nodes.push_back({opened.identity, folder.parentNode});
            if (opened.handle != INVALID_HANDLE_VALUE)
                ListFolder(folder, opened.handle);
        }
        CloseBehind(opener, opened.handle);
    }

    void Walk(const std::string& pageFolder)
    {
        Queue(WideFromAnsi(pageFolder), "");
        while (!queue.empty() && broken.folderPath.empty()) {
            if (queue.front().listable)
                WalkFolder(queue.front(), TakeOpened(opener, queue.front().toOpen));
            queue.pop_front();
        }
    }
};

}  // namespace

WalkBreak FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver)
{
    FolderOpener* opener = StartFolderOpener();
    FolderWalker walker{webAddress, deliver, *opener, {}, {}, {}, {}, {}, {}};
    walker.Walk(pageFolder);
    StopFolderOpener(opener);
    return walker.broken;
}
