#include "sitemap/folder_opener.h"

#include "common/helper_thread.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

decltype(&GetFileInformationByHandleEx) identityRequest = GetFileInformationByHandleEx;

// Handles held open ahead of the walk are few: each one holds a folder open.
constexpr size_t kOpenAhead = 16;

struct FolderOpener {
    HelperThread helper;
    std::deque<FolderToOpen*> toOpen;
    std::deque<FolderToOpen*> opened;  // opened and not yet taken, in order
    std::vector<HANDLE> toClose;
};

namespace {

// The path handed to the platform as it is, so that no name is trimmed (a
// folder "foo." is not "foo") and none is taken as a device.
std::wstring VerbatimPath(const std::wstring& fullPath)
{
    if (fullPath.starts_with(L"\\\\?\\") || fullPath.starts_with(L"\\\\.\\"))
        return fullPath;
    if (fullPath.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + fullPath.substr(2);
    return L"\\\\?\\" + fullPath;
}

// FileIdInfo, in the Windows 8 headers.
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

bool IsAllBytes(const BYTE (&id)[16], BYTE value)
{
    for (BYTE byte : id)
        if (byte != value)
            return false;
    return true;
}

// The 128-bit id where the platform answers it (Windows 8 on), else the
// 64-bit index. All zeros (some network file systems) or all ones (an id
// that does not fit the answer, on ReFS) say nothing of the folder.
FolderIdentity IdentityOf(HANDLE folder)
{
    FolderIdentity identity;
    if (identityRequest(folder, kFileIdInfo, &identity.id, sizeof identity.id)) {
        identity.known = !IsAllBytes(identity.id.file, 0) && !IsAllBytes(identity.id.file, 0xFF);
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(folder, &info))
        return identity;
    uint64_t index = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.id.volume = info.dwVolumeSerialNumber;
    memcpy(identity.id.file, &index, sizeof index);
    identity.known = index != 0 && index != ~uint64_t(0);
    return identity;
}

OpenedFolder OpenFolder(const std::wstring& folderPath)
{
    OpenedFolder folder;
    folder.handle = CreateFileW(VerbatimPath(folderPath).c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder.handle == INVALID_HANDLE_VALUE)
        folder.error = GetLastError();
    else
        folder.identity = IdentityOf(folder.handle);
    return folder;
}

// The thread's step: closing comes first, then opening while few are ahead.
bool DoOneStep(void* work)
{
    FolderOpener& opener = *static_cast<FolderOpener*>(work);
    CRITICAL_SECTION& lock = opener.helper.lock;
    if (!opener.toClose.empty()) {
        std::vector<HANDLE> closing;
        closing.swap(opener.toClose);
        LeaveCriticalSection(&lock);
        for (HANDLE handle : closing)
            CloseHandle(handle);
        EnterCriticalSection(&lock);
        return true;
    }
    if (opener.toOpen.empty() || opener.opened.size() >= kOpenAhead)
        return false;
    FolderToOpen& folder = *opener.toOpen.front();
    opener.toOpen.pop_front();
    LeaveCriticalSection(&lock);
    OpenedFolder opened = OpenFolder(folder.folderPath);
    EnterCriticalSection(&lock);
    folder.opened = opened;
    folder.ready = true;
    opener.opened.push_back(&folder);
    SignalChange(opener.helper);
    return true;
}

}  // namespace

FolderOpener* StartFolderOpener()
{
    auto* opener = new FolderOpener;
    StartHelperThread(opener->helper, DoOneStep, opener);
    return opener;
}

void OpenAhead(FolderOpener& opener, FolderToOpen& folder)
{
    if (!opener.helper.thread)
        return;  // opened when taken
    EnterCriticalSection(&opener.helper.lock);
    opener.toOpen.push_back(&folder);
    LeaveCriticalSection(&opener.helper.lock);
    SignalChange(opener.helper);
}

OpenedFolder TakeOpened(FolderOpener& opener, FolderToOpen& folder)
{
    if (!opener.helper.thread)
        return OpenFolder(folder.folderPath);
    EnterCriticalSection(&opener.helper.lock);
    while (!folder.ready)
        WaitForChange(opener.helper);
    opener.opened.pop_front();  // taken in the order asked for
    LeaveCriticalSection(&opener.helper.lock);
    SignalChange(opener.helper);
    return folder.opened;
}

void CloseBehind(FolderOpener& opener, HANDLE folder)
{
    if (folder == INVALID_HANDLE_VALUE)
        return;
    if (!opener.helper.thread) {
        CloseHandle(folder);
        return;
    }
    EnterCriticalSection(&opener.helper.lock);
    opener.toClose.push_back(folder);
    LeaveCriticalSection(&opener.helper.lock);
    SignalChange(opener.helper);
}

void StopFolderOpener(FolderOpener* opener)
{
    // A walk that broke off takes nothing more: what it asked for is not opened.
    EnterCriticalSection(&opener->helper.lock);
    opener->toOpen.clear();
    LeaveCriticalSection(&opener->helper.lock);
    StopHelperThread(opener->helper);
    for (FolderToOpen* folder : opener->opened)
        if (folder->opened.handle != INVALID_HANDLE_VALUE)
            CloseHandle(folder->opened.handle);
    delete opener;
}
