#include "support/http_recorder.h"

#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <tlhelp32.h>

namespace {

constexpr char kRecorder[] = "url_recorder.exe";

bool RecorderRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, kRecorder) == 0;
    CloseHandle(snapshot);
    return running;
}

std::vector<std::string> Recorded(const std::string& folder)
{
    std::vector<std::string> addresses;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.url").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return addresses;
    do
        addresses.push_back(FileBytes(folder + found.cFileName));
    while (FindNextFileA(search, &found));
    FindClose(search);
    return addresses;
}

}  // namespace

// The folder ends in a backslash, which would escape its closing quote.
RecordingHttpHandler::RecordingHttpHandler(const std::string& recordFolder)
    : command(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", REG_SZ,
              HelperCommand(kRecorder) + " " + Quoted(recordFolder + ".") + " \"%1\"" + '\0')
{
}

std::vector<std::string> RecordedOnceSettled(const std::string& folder, size_t expected, DWORD timeoutMs)
{
    // The recorder writes before it ends, so once none runs every address the
    // shell was handed is on disk.
    WaitUntil([&] { return Recorded(folder).size() >= expected && !RecorderRunning(); }, timeoutMs);
    return Recorded(folder);
}
