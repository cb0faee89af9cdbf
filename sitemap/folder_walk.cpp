#include "sitemap/folder_walk.h"

#include "common/entry_attributes.h"
#include "sitemap/address_escape.h"
#include "sitemap/page_date.h"
#include "sitemap/page_selection.h"

#include <windows.h>

#include <deque>
#include <vector>

namespace {

struct FolderIdentity {
    bool looked = false;  // looked up already (identities cost a folder open)
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

// A walked folder and the walked folder it was found in (-1 for the root).
struct AncestryNode {
    std::string folderPath;
    int parent;
    FolderIdentity identity;
};

struct QueuedFolder {
    std::string folderPath;
    std::string webPath;
    int parentNode;
    bool isLink;  // reached through an entry with the reparse-point bit
};

struct EntryFacts {
    uint32_t attributes = 0;  // 0: no such entry
    FILETIME lastWrite = {};
};

FolderIdentity IdentityOf(const std::string& folderPath)
{
    HANDLE folder = CreateFileA(folderPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return {true};
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!ok)
        return {true};
    return {true, true, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

bool SameFolder(const FolderIdentity& a, const FolderIdentity& b)
{
    return a.known && b.known && a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

// Only a link can lead back up the tree: a plain folder's parent is the
// folder it was listed in. So identities are looked up only for links and,
// once, for the folders above them.
bool IsOnAncestorChain(std::vector<AncestryNode>& nodes, int node, const FolderIdentity& identity)
{
    for (; node >= 0; node = nodes[node].parent) {
        AncestryNode& ancestor = nodes[node];
        if (!ancestor.identity.looked)
            ancestor.identity = IdentityOf(ancestor.folderPath);
        if (SameFolder(ancestor.identity, identity))
            return true;
    }
    return false;
}

// Where a look-up of the full path could answer otherwise than the listing
// (a path at the look-up's length limit, a name the path rules would trim
// or read as a pattern), the entry is looked up as the walk always did.
bool ListingMayDifferFromLookUp(const std::string& fullPath, const std::string& name)
{
    char last = name.back();
    return fullPath.size() >= MAX_PATH - 1 || last == '.' || last == ' ' ||
           name.find_first_of("*?") != std::string::npos;
}

EntryFacts FactsOf(const std::string& fullPath, const WIN32_FIND_DATAA& listed)
{
    const WIN32_FIND_DATAA* source = &listed;
    WIN32_FIND_DATAA lookedUp;
    if (ListingMayDifferFromLookUp(fullPath, listed.cFileName)) {
        if (!FindFirstEntry(fullPath, lookedUp))
            return {};
        source = &lookedUp;
    }
    return {NonZeroAttributes(source->dwFileAttributes), source->ftLastWriteTime};
}

PageEntry MakePageEntry(const QueuedFolder& folder, const std::string& name, const FILETIME& lastWrite,
                        const std::string& webAddress)
{
    PageEntry page;
    page.fileName = name;
    page.webPath = folder.webPath;
    page.lastWriteDate = FormatLastWriteDate(lastWrite);
    page.address = escapeAddress(webAddress + folder.webPath + name);
    return page;
}

void WalkOneFolder(const QueuedFolder& folder, int node, const std::string& webAddress, const PageSink& deliver,
                   std::deque<QueuedFolder>& queue)
{
    WIN32_FIND_DATAA listed;
    HANDLE search = FindFirstFileA((folder.folderPath + "*.*").c_str(), &listed);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = listed.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string fullPath = folder.folderPath + name;
        EntryFacts facts = FactsOf(fullPath, listed);
        // A folder with any further attribute bit also takes the page test.
        if (IsPresentNonFolder(facts.attributes) && HasPageExtension(name))
            deliver(MakePageEntry(folder, name, facts.lastWrite, webAddress));
        if (facts.attributes & kDirectoryBit)
            queue.push_back({fullPath + "\\", folder.webPath + name + "/", node,
                             (facts.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(search, &listed));
    FindClose(search);
}

}  // namespace

void FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver)
{
    std::deque<QueuedFolder> queue{{pageFolder, "", -1, false}};
    std::vector<AncestryNode> nodes;
    while (!queue.empty()) {
        QueuedFolder folder = std::move(queue.front());
        queue.pop_front();
        FolderIdentity identity;
        if (folder.isLink) {
            identity = IdentityOf(folder.folderPath);
            if (IsOnAncestorChain(nodes, folder.parentNode, identity))
                continue;  // a link back up the tree: walking it again would never end
        }
        nodes.push_back({folder.folderPath, folder.parentNode, identity});
        WalkOneFolder(folder, static_cast<int>(nodes.size()) - 1, webAddress, deliver, queue);
    }
}
