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

// Room for the records of one listing request, reused from folder to folder.
using ListingBuffer = std::vector<uint64_t>;

// Hands every entry of an open folder to take, "." and ".." included, in the
// order the platform lists them.
void ListOpenFolder(HANDLE folder, ListingBuffer& buffer, const std::function<void(const ListedEntry&)>& take);
