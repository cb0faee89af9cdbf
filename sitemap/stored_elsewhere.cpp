#include "sitemap/stored_elsewhere.h"

#include "common/platform_error_text.h"

decltype(&GetFinalPathNameByHandleW) finalPathRequest = GetFinalPathNameByHandleW;

namespace {

// Normalised names on the volume's device path: links, junctions, substituted
// and mapped drives and short names all resolved, and no drive letter needed.
constexpr DWORD kFinalPathForm = FILE_NAME_NORMALIZED | VOLUME_NAME_NT;

// Empty when the platform cannot tell it.
std::wstring FinalPath(HANDLE file)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = finalPathRequest(file, path.data(), MAX_PATH, kFinalPathForm);
    if (length >= MAX_PATH) {  // the size it needs, the terminating null included
        path.resize(length);
        length = finalPathRequest(file, path.data(), length, kFinalPathForm);
    }
    path.resize(length < path.size() ? length : 0);
    return path;
}

// Opened for its attributes alone, so nothing is redirected; empty when it
// cannot be opened or told.
std::wstring FolderFinalPath(const std::wstring& folder)
{
    HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    std::wstring path = FinalPath(handle);
    CloseHandle(handle);
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path;
}

}  // namespace

bool StoredElsewhere(const Replacement& output)
{
    if (output.file == INVALID_HANDLE_VALUE)
        return false;
    std::wstring file = FinalPath(output.file);
    std::wstring fileFolder = file.substr(0, file.find_last_of(L'\\') + 1);
    std::wstring folder = FolderFinalPath(output.target.substr(0, output.target.find_last_of(L'\\') + 1));
    if (fileFolder.empty() || folder.empty())  // cannot be told: the run goes on
        return false;
    return CompareStringOrdinal(fileFolder.c_str(), static_cast<int>(fileFolder.size()), folder.c_str(),
                                static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL;
}

std::string StoredElsewhereText(const std::string& pageFolder)
{
    return "Could not write into the folder " + pageFolder + ":\r\n" + PlatformErrorText(ERROR_ACCESS_DENIED) +
           " Windows would keep the site maps in your own VirtualStore folder instead, where the web server does "
           "not see them. Start Quorrel with \"Run as administrator\", or give your user account the right to "
           "change that folder.";
}
