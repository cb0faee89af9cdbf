#pragma once
#include <optional>
#include <string>
#include <string_view>

// The file's first bytes, at most maxBytes of them, in one read; nullopt
// when the file cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

// Creates or truncates path and writes text in one write. False when the
// file could not be created or not every byte was written; the platform's
// last-error code then tells why.
bool WriteWholeFile(const std::string& path, std::string_view text);
