#pragma once
#include "support/browser_proxy.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <iterator>
#include <sstream>
#include <vector>

// Makes url_recorder.exe the shell's handler for http addresses in this Wine prefix while it lives: each
// address handed on becomes a line of recordFolder's addresses.txt ("." keeps "\" from escaping the quote).
struct RecordingHttpHandler {
    RegistryValueSetting command;
    explicit RecordingHttpHandler(const std::string& recordFolder)
        : command(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", REG_SZ,
                  HelperCommand("url_recorder.exe") + " " + Quoted(recordFolder + ".") + " \"%1\"" + '\0') {}
};

// The addresses recorded in folder in the order handed on, once at least expected are there (or timeoutMs passed).
inline std::vector<std::string> RecordedOnceSettled(const std::string& folder, size_t expected, DWORD timeoutMs)
{
    std::vector<std::string> addresses;
    WaitUntil([&] {
        std::istringstream lines(FileBytes(folder + "addresses.txt"));
        addresses.assign(std::istream_iterator<std::string>(lines), {});
        return addresses.size() >= expected;
    }, timeoutMs);
    return addresses;
}
