#include "sitemap/folder_listing.h"

decltype(&GetFileInformationByHandleEx) listingRequest = GetFileInformationByHandleEx;

namespace {

// Large enough for a few hundred records a request: each request costs the
// platform a pass through its directory code, so fewer are cheaper.
constexpr size_t kListingBytes = 64 * 1024;

template <typename Record>
ListedEntry EntryOf(const Record& record)
{
    FILETIME lastWrite = {record.LastWriteTime.LowPart, static_cast<DWORD>(record.LastWriteTime.HighPart)};
    return {{record.FileName, record.FileNameLength / sizeof(WCHAR)}, record.FileAttributes, lastWrite};
}

template <typename Record>
void TakeRecords(const uint64_t* buffer, const std::function<void(const ListedEntry&)>& take)
{
    const char* at = reinterpret_cast<const char*>(buffer);
    for (;;) {
        const auto& record = *reinterpret_cast<const Record*>(at);
        take(EntryOf(record));
        if (record.NextEntryOffset == 0)
            return;
        at += record.NextEntryOffset;
    }
}

bool IsUnsupportedClass(DWORD error) { return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED; }

// The first request; the older record class, which every Windows from Vista
// on has, when the newer one is refused.
bool RequestFirst(HANDLE folder, ListingState& state)
{
    if (listingRequest(folder, state.recordClass, state.buffer.data(), kListingBytes))
        return true;
    if (state.recordClass != FileFullDirectoryInfo || !IsUnsupportedClass(GetLastError()))
        return false;
    state.recordClass = FileIdBothDirectoryInfo;
    return listingRequest(folder, state.recordClass, state.buffer.data(), kListingBytes);
}

}  // namespace

ListingOutcome ListOpenFolder(HANDLE folder, ListingState& state, const std::function<void(const ListedEntry&)>& take)
{
    state.buffer.resize(kListingBytes / sizeof(uint64_t));
    if (!RequestFirst(folder, state)) {
        DWORD error = GetLastError();
        bool empty = error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND;
        return {empty ? ListingEnd::Complete : ListingEnd::Unlistable, error};
    }
    do {
        if (state.recordClass == FileFullDirectoryInfo)
            TakeRecords<FILE_FULL_DIR_INFO>(state.buffer.data(), take);
        else
            TakeRecords<FILE_ID_BOTH_DIR_INFO>(state.buffer.data(), take);
    } while (listingRequest(folder, state.recordClass, state.buffer.data(), kListingBytes));
    DWORD error = GetLastError();
    // Only the platform's "no more" ends a folder: any other error leaves entries unlisted.
    return {error == ERROR_NO_MORE_FILES ? ListingEnd::Complete : ListingEnd::Broken, error};
}
