#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr uint32_t kDirectoryBit = 0x10;

// The attribute word a find-first look-up reports for path: 0 when nothing
// matches, 1 when the entry's own word is 0, so any entry gives nonzero.
uint32_t EntryAttributes(const std::wstring& path);

// The same reading for a word already in hand (a folder listing's entry).
inline uint32_t NonZeroAttributes(uint32_t word) { return word == 0 ? 1 : word; }

// An entry that is present and not a plain folder.
inline bool IsPresentNonFolder(uint32_t attributes) { return (attributes & ~kDirectoryBit) != 0; }
