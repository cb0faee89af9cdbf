#pragma once
#include <string>
#include <string_view>

// Exactly the bytes one read of the file's size returns; empty when the file
// cannot be opened.
std::string ReadWholeFile(const std::string& path);

// Creates or truncates path and writes text in one write. False when the
// file could not be created or not every byte was written; the platform's
// last-error code then tells why.
bool WriteWholeFile(const std::string& path, std::string_view text);
