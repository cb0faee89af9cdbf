#include "common/file_replace.h"

#include "common/platform_error_text.h"
#include "common/whole_file.h"

#include <windows.h>

namespace {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

ReplaceOutcome Failure(const std::string& path, DWORD code)
{
    std::string reason = code == 0 ? std::string() : PlatformErrorText(code);
    if (reason.empty())
        reason = "The file could not be replaced; it may be open in another program.";
    return {false, "Could not write " + path + ":\r\n" + reason};
}

}  // namespace

ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text)
{
    char temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "qrl", 0, temporary))
        return Failure(path, GetLastError());
    if (!WriteWholeFile(temporary, text)) {
        DWORD error = GetLastError();
        DeleteFileA(temporary);
        return Failure(path, error);
    }
    SetLastError(0);
    if (!MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        // Wine answers a held-open target with FALSE and no error code.
        DWORD error = GetLastError();
        DeleteFileA(temporary);
        return Failure(path, error);
    }
    return {true, {}};
}
