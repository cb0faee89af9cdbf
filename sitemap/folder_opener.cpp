#include "sitemap/folder_opener.h"

#include "common/helper_thread.h"

#include <deque>
#include <vector>

// Handles held open ahead of the walk are few: each one holds a folder open.
constexpr size_t kOpenAhead = 16;

struct FolderOpener {
    HelperThread helper;
    std::deque<std::wstring> toOpen;
    std::deque<OpenedFolder> opened;
    std::vector<HANDLE> toClose;
    size_t outstanding = 0;  // asked for and not yet taken
};

namespace {

OpenedFolder OpenFolder(const std::wstring& folderPath)
{
    OpenedFolder folder;
    folder.handle = CreateFileW(folderPath.c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    if (folder.handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(folder.handle, &info))
        folder.identity = {true, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return folder;
}

// One step of the thread's work, chosen with the lock held and done without
// it; false when there is nothing to do.
bool DoOneStep(FolderOpener& opener)
{
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
    std::wstring folderPath = std::move(opener.toOpen.front());
    opener.toOpen.pop_front();
    LeaveCriticalSection(&lock);
    OpenedFolder folder = OpenFolder(folderPath);
    EnterCriticalSection(&lock);
    opener.opened.push_back(folder);
    SignalChange(opener.helper);
    return true;
}

DWORD WINAPI OpenerThread(void* parameter)
{
    FolderOpener& opener = *static_cast<FolderOpener*>(parameter);
    EnterCriticalSection(&opener.helper.lock);
    for (;;) {
        if (DoOneStep(opener))
            continue;
        if (opener.helper.stopping)
            break;
        WaitForChange(opener.helper);
    }
    LeaveCriticalSection(&opener.helper.lock);
    return 0;
}

}  // namespace

FolderOpener* StartFolderOpener()
{
    auto* opener = new FolderOpener;
    StartHelperThread(opener->helper, OpenerThread, opener);
    return opener;
}

void OpenAhead(FolderOpener& opener, std::wstring folderPath)
{
    EnterCriticalSection(&opener.helper.lock);
    opener.toOpen.push_back(std::move(folderPath));
    ++opener.outstanding;
    LeaveCriticalSection(&opener.helper.lock);
    SignalChange(opener.helper);
}

OpenedFolder TakeOpened(FolderOpener& opener)
{
    EnterCriticalSection(&opener.helper.lock);
    if (opener.outstanding == 0) {
        LeaveCriticalSection(&opener.helper.lock);
        return {};
    }
    if (!opener.helper.thread && opener.opened.empty()) {
        opener.opened.push_back(OpenFolder(opener.toOpen.front()));
        opener.toOpen.pop_front();
    }
    while (opener.opened.empty())
        WaitForChange(opener.helper);
    OpenedFolder folder = opener.opened.front();
    opener.opened.pop_front();
    --opener.outstanding;
    LeaveCriticalSection(&opener.helper.lock);
    SignalChange(opener.helper);
    return folder;
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
    StopHelperThread(opener->helper);
    for (const OpenedFolder& folder : opener->opened)
        if (folder.handle != INVALID_HANDLE_VALUE)
            CloseHandle(folder.handle);
    delete opener;
}
