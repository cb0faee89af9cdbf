#include "sitemap/folder_walk.h"

#include "common/entry_attributes.h"
#include "sitemap/address_escape.h"
#include "sitemap/name_bytes.h"
#include "sitemap/page_date.h"
#include "sitemap/page_selection.h"

#include <windows.h>

#include <cwchar>
#include <deque>
#include <vector>

namespace {

// The longest path the platform's ANSI look-ups take: MAX_PATH with its
// terminating zero. An entry or listing beyond it is out of the walk's
// reach, as it always was with those look-ups.
constexpr size_t kLongestPath = MAX_PATH - 1;

struct FolderIdentity {
    bool looked = false;  // looked up already (identities cost a folder open)
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

// A walked folder and the walked folder it was found in (-1 for the root).
struct AncestryNode {
    std::wstring folderPath;
    int parent;
    FolderIdentity identity;
};

struct QueuedFolder {
    std::wstring folderPath;  // ends in "\"
    std::string webPath;      // the names' bytes, "/"-separated, ending in "/" or empty
    int parentNode;
    bool isLink;  // reached through an entry with the reparse-point bit
};

FolderIdentity IdentityOf(const std::wstring& folderPath)
{
    HANDLE folder = CreateFileW(folderPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

bool IsDotEntry(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

struct FolderWalker {
    const std::string& webAddress;
    const PageSink& deliver;
    std::deque<QueuedFolder> queue;
    std::vector<AncestryNode> nodes;
    PageEntry page;  // its buffers are used again for every page
    std::string addressStart;

    // Each entry's facts come from its own listing record.
    void TakeEntry(const QueuedFolder& folder, const WIN32_FIND_DATAW& listed)
    {
        std::wstring_view name = listed.cFileName;
        if (folder.folderPath.size() + name.size() > kLongestPath)
            return;
        uint32_t attributes = NonZeroAttributes(listed.dwFileAttributes);
        NameBytes(name, page.fileName);
        // A folder with any further attribute bit also takes the page test.
        if (IsPresentNonFolder(attributes) && HasPageExtension(page.fileName)) {
            page.lastWriteDate = FormatLastWriteDate(listed.ftLastWriteTime);
            page.address = addressStart;
            appendEscapedAddress(page.address, page.fileName);
            deliver(page);
        }
        if (attributes & kDirectoryBit) {
            std::wstring path = folder.folderPath;
            queue.push_back({path.append(name).append(L"\\"), folder.webPath + page.fileName + "/",
                             static_cast<int>(nodes.size()) - 1, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
        }
    }

    void ListFolder(const QueuedFolder& folder)
    {
        std::wstring pattern = folder.folderPath + L"*.*";
        if (pattern.size() > kLongestPath)
            return;
        WIN32_FIND_DATAW listed;
        HANDLE search = FindFirstFileW(pattern.c_str(), &listed);
        if (search == INVALID_HANDLE_VALUE)
            return;
        // Escaping works byte by byte, so a folder's part is escaped once.
        addressStart = escapeAddress(webAddress + folder.webPath);
        page.webPath = folder.webPath;
        do {
            if (!IsDotEntry(listed.cFileName))
                TakeEntry(folder, listed);
        } while (FindNextFileW(search, &listed));
        FindClose(search);
    }

    void Walk(const std::string& pageFolder)
    {
        queue.push_back({WideFromAnsi(pageFolder), "", -1, false});
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
            ListFolder(folder);
        }
    }
};

}  // namespace

void FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver)
{
    FolderWalker walker{webAddress, deliver, {}, {}, {}, {}};
    walker.Walk(pageFolder);
}
