#pragma once
#include "support/browser_proxy.h"

#include <windows.h>

#include <string>
#include <vector>

// Makes tests/url_recorder.exe the shell's handler for http addresses in this
// Wine prefix while it lives; each address the shell hands on is written to
// recordFolder. The previous handler is put back afterwards.
struct RecordingHttpHandler {
    RegistryValueSetting command;
    explicit RecordingHttpHandler(const std::string& recordFolder);
};

// The addresses recorded in folder, once at least expected are there and no
// recorder runs any more (or timeoutMs has passed).
std::vector<std::string> RecordedOnceSettled(const std::string& folder, size_t expected, DWORD timeoutMs);
