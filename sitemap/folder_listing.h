#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// One entry as its folder's listing reports it.
struct ListedEntry {
    std::wstring_view name;
    uint32_t attributes;
    FILETIME lastWrite;
};

// What the listings of one run share: room for the records of one request,
// and the record class the platform takes (Windows 7 lacks the first one
// tried, and says so at the first request).
struct ListingState {
    std::vector<uint64_t> buffer;
    FILE_INFO_BY_HANDLE_CLASS recordClass = FileFullDirectoryInfo;
};

enum class ListingEnd {
    Complete,    // every entry was handed over
    Unlistable,  // the first request failed: nothing was handed over
    Broken,      // a later request failed: the entries handed over are not all there are
};

struct ListingOutcome {
    ListingEnd end;
    DWORD error;  // the platform's reason when not complete
};

// Hands every entry of an open folder to take, "." and ".." included, in the
// order the platform lists them.
ListingOutcome ListOpenFolder(HANDLE folder, ListingState& state, const std::function<void(const ListedEntry&)>& take);

// The one call the listing makes per request; a test puts its own in place.
extern decltype(&GetFileInformationByHandleEx) listingRequest;
