#include "sitemap/folder_listing.h"

namespace {

// Large enough for a few hundred records a request: each request costs the
// platform a pass through its directory code, so fewer are cheaper.
constexpr size_t kListingBytes = 64 * 1024;

ListedEntry EntryOf(const FILE_FULL_DIR_INFO& record)
{
    FILETIME lastWrite = {record.LastWriteTime.LowPart, static_cast<DWORD>(record.LastWriteTime.HighPart)};
    return {{record.FileName, record.FileNameLength / sizeof(WCHAR)}, record.FileAttributes, lastWrite};
}

}  // namespace

void ListOpenFolder(HANDLE folder, ListingBuffer& buffer, const std::function<void(const ListedEntry&)>& take)
{
    buffer.resize(kListingBytes / sizeof(uint64_t));
    while (GetFileInformationByHandleEx(folder, FileFullDirectoryInfo, buffer.data(), kListingBytes)) {
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto& record = *reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
            take(EntryOf(record));
            if (record.NextEntryOffset == 0)
                break;
            at += record.NextEntryOffset;
        }
    }
}
