#include "sitemap/folder_walk.h"

#include "common/entry_attributes.h"
#include "common/wide_text.h"
#include "sitemap/address_escape.h"
#include "sitemap/device_failures.h"
#include "sitemap/folder_listing.h"
#include "sitemap/folder_opener.h"
#include "sitemap/name_bytes.h"
#include "sitemap/page_date.h"
#include "sitemap/page_selection.h"
#include "sitemap/volume_root.h"

#include <windows.h>

#include <cstring>
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
    std::string webPath;  // the names escaped, "/"-separated, ending in "/" or empty
    int parentNode;
    bool listable;  // its path leaves room for the pattern
};

bool SameFolder(const FolderIdentity& a, const FolderIdentity& b)
{
    return a.known && b.known && memcmp(&a.id, &b.id, sizeof a.id) == 0;
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

// A name's bytes escaped; a two-byte character is escaped whole only in the
// code page's bytes, UTF-8 has none.
void AppendEscapedName(std::string& out, const std::string& bytes, bool inCodePage)
{
    appendEscapedAddress(out, bytes, inCodePage ? AnsiLeadByte : NoLeadBytes);
}

struct FolderWalker {
    const std::string webAddress;  // escaped
    const PageSink& deliver;
    FolderOpener& opener;
    std::deque<QueuedFolder> queue;
    std::vector<AncestryNode> nodes;
    ListingState listing;
    WalkBreak broken;
    bool rootIsVolume;
    PageEntry page;  // its buffers are used again for every page
    std::string nameBytes;
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
        bool inCodePage = NameBytes(listed.name, nameBytes);
        // A folder with any further attribute bit also takes the page test.
        if (IsPresentNonFolder(attributes) && HasPageExtension(nameBytes)) {
            page.lastWriteDate = FormatLastWriteDate(listed.lastWrite);
            page.address = addressStart;
            AppendEscapedName(page.address, nameBytes, inCodePage);
            deliver(page);
        }
        bool systemsOwn = folder.parentNode < 0 && rootIsVolume && IsVolumeSystemFolder(listed.name);
        if ((attributes & kDirectoryBit) && !systemsOwn) {
            std::string webPath = folder.webPath;
            AppendEscapedName(webPath, nameBytes, inCodePage);
            std::wstring path = folderPath;
            Queue(path.append(listed.name).append(L"\\"), webPath + "/");
        }
    }

    // Only a failing device or connection makes a folder that cannot be
    // listed at all a reason to stop.
    void StopWhenTheDeviceFailed(const QueuedFolder& folder, DWORD error)
    {
        if (IsDeviceOrConnectionFailure(error))
            broken = {folder.toOpen.folderPath, error};
    }

    void ListFolder(const QueuedFolder& folder, HANDLE handle)
    {
        addressStart = webAddress + folder.webPath;
        ListingOutcome listed = ListOpenFolder(handle, listing, [&](const ListedEntry& entry) {
            if (!IsDotEntry(entry.name))
                TakeEntry(folder, entry);
        });
        if (listed.end == ListingEnd::Broken)
            broken = {folder.toOpen.folderPath, listed.error};
        if (listed.end == ListingEnd::Unlistable)
            StopWhenTheDeviceFailed(folder, listed.error);
    }

    void WalkFolder(const QueuedFolder& folder, const OpenedFolder& opened)
    {
        // A folder met again below itself: walking it again would never end.
        if (!IsOnAncestorChain(nodes, folder.parentNode, opened.identity)) {
            nodes.push_back({opened.identity, folder.parentNode});
            if (opened.handle != INVALID_HANDLE_VALUE)
                ListFolder(folder, opened.handle);
            else
                StopWhenTheDeviceFailed(folder, opened.error);
        }
        CloseBehind(opener, opened.handle);
    }

    void Walk(const std::string& pageFolder)
    {
        std::wstring root = FullFolderPath(WideFromAnsi(pageFolder));
        rootIsVolume = IsVolumeRoot(root);
        Queue(root, "");
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
    // The typed address is in the ANSI code page, as the names in it are.
    FolderWalker walker{escapeAddress(webAddress, AnsiLeadByte), deliver, *opener, {}, {}, {}, {}, false, {}, {}, {}};
    walker.Walk(pageFolder);
    StopFolderOpener(opener);
    return walker.broken;
}
