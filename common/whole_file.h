#pragma once
#include <optional>
#include <string>

// The file's first bytes, at most maxBytes of them, in one read; nullopt
// when the file cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t maxBytes);

// The same for a file that must be there already: a missing one is not made.
std::optional<std::string> ReadExistingFile(const std::wstring& path, size_t maxBytes);
