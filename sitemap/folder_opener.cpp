#include "sitemap/folder_opener.h"

#include <deque>
#include <vector>

// Handles held open ahead of the walk are few: each one holds a folder open.
constexpr size_t kOpenAhead = 16;

struct FolderOpener {
    CRITICAL_SECTION lock;
    CONDITION_VARIABLE changed;
    std::deque<std::wstring> toOpen;
    std::deque<OpenedFolder> opened;
    std::vector<HANDLE> toClose;
    size_t outstanding = 0;  // asked for and not yet taken
    bool stopping = false;
    HANDLE thread = nullptr;
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

void CloseAll(const std::vector<HANDLE>& handles)
{
    for (HANDLE handle : handles)
        CloseHandle(handle);
}

// One step of the thread's work, taken with the lock held and done without
// it; false when there is nothing to do.
bool DoOneStep(FolderOpener& opener)
{
    if (!opener.toClose.empty()) {
        std::vector<HANDLE> closing;
        closing.swap(opener.toClose);
        LeaveCriticalSection(&opener.lock);
        CloseAll(closing);
        EnterCriticalSection(&opener.lock);
        return true;
    }
    if (opener.toOpen.empty() || opener.opened.size() >= kOpenAhead)
        return false;
    std::wstring folderPath = std::move(opener.toOpen.front());
    opener.toOpen.pop_front();
    LeaveCriticalSection(&opener.lock);
    OpenedFolder folder = OpenFolder(folderPath);
    EnterCriticalSection(&opener.lock);
    opener.opened.push_back(folder);
    WakeAllConditionVariable(&opener.changed);
    return true;
}

DWORD WINAPI OpenerThread(void* parameter)
{
    FolderOpener& opener = *static_cast<FolderOpener*>(parameter);
    EnterCriticalSection(&opener.lock);
    for (;;) {
        if (DoOneStep(opener))
            continue;
        if (opener.stopping)
            break;
        SleepConditionVariableCS(&opener.changed, &opener.lock, INFINITE);
    }
    LeaveCriticalSection(&opener.lock);
    return 0;
}

}  // namespace

FolderOpener* StartFolderOpener()
{
    auto* opener = new FolderOpener;
    InitializeCriticalSection(&opener->lock);
    InitializeConditionVariable(&opener->changed);
    opener->thread = CreateThread(nullptr, 0, OpenerThread, opener, 0, nullptr);
    return opener;
}

void OpenAhead(FolderOpener& opener, std::wstring folderPath)
{
    EnterCriticalSection(&opener.lock);
    opener.toOpen.push_back(std::move(folderPath));
    ++opener.outstanding;
    LeaveCriticalSection(&opener.lock);
    WakeAllConditionVariable(&opener.changed);
}

OpenedFolder TakeOpened(FolderOpener& opener)
{
    EnterCriticalSection(&opener.lock);
    if (opener.outstanding == 0) {
        LeaveCriticalSection(&opener.lock);
        return {};
    }
    // Without its thread (none could be started) the opener opens in place.
    if (!opener.thread && opener.opened.empty()) {
        opener.opened.push_back(OpenFolder(opener.toOpen.front()));
        opener.toOpen.pop_front();
    }
    while (opener.opened.empty())
        SleepConditionVariableCS(&opener.changed, &opener.lock, INFINITE);
    OpenedFolder folder = opener.opened.front();
    opener.opened.pop_front();
    --opener.outstanding;
    LeaveCriticalSection(&opener.lock);
    WakeAllConditionVariable(&opener.changed);
    return folder;
}

void CloseBehind(FolderOpener& opener, HANDLE folder)
{
    if (folder == INVALID_HANDLE_VALUE)
        return;
    if (!opener.thread) {
        CloseHandle(folder);
        return;
    }
    EnterCriticalSection(&opener.lock);
    opener.toClose.push_back(folder);
    LeaveCriticalSection(&opener.lock);
    WakeAllConditionVariable(&opener.changed);
}

void StopFolderOpener(FolderOpener* opener)
{
    if (opener->thread) {
        EnterCriticalSection(&opener->lock);
        opener->stopping = true;
        LeaveCriticalSection(&opener->lock);
        WakeAllConditionVariable(&opener->changed);
        WaitForSingleObject(opener->thread, INFINITE);
        CloseHandle(opener->thread);
    }
    for (const OpenedFolder& folder : opener->opened)
        if (folder.handle != INVALID_HANDLE_VALUE)
            CloseHandle(folder.handle);
    DeleteCriticalSection(&opener->lock);
    delete opener;
}
