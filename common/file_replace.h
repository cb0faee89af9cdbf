#pragma once
#include <string>
#include <string_view>

struct ReplaceOutcome {
    bool ok = false;
    std::string failureMessage;  // names the file and the platform's reason
};

// Puts text in place of the file at path in one step: the bytes go to a
// temporary file in the same folder, which then replaces path. On failure
// the old file is untouched and the temporary file is removed.
ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text);
