#include "sitemap/stale_parts.h"

#include "common/platform_error_text.h"
#include "common/wide_text.h"
#include "common/whole_file.h"
#include "sitemap/sitemap_index.h"

#include <windows.h>

namespace {

// An index of this size lists thousands of parts, hundreds of millions of
// pages; an old map of pages is told apart by its first line.
constexpr size_t kMostIndexBytes = 1024 * 1024;

bool IsGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

std::vector<int> PartsOfOldIndex(const std::wstring& pageFolder)
{
    std::optional<std::string> text = ReadExistingFile(pageFolder + L"sitemap.xml", kMostIndexBytes);
    return text ? PartsListedInIndex(*text) : std::vector<int>{};
}

void DeleteStaleParts(const std::wstring& pageFolder, const std::vector<int>& oldParts, int partCount,
                      std::vector<std::string>& failures)
{
    for (int number : oldParts) {
        std::wstring path = pageFolder + WideFromAnsi(PartFileName(number));
        if (number <= partCount || DeleteFileW(path.c_str()))
            continue;
        DWORD error = GetLastError();
        if (IsGone(error))  // the user deleted it, or the old index named it twice
            continue;
        std::string reason = PlatformErrorText(error);
        failures.push_back("Could not delete " + AnsiFromWide(path) + ":\r\n" +
                           (reason.empty() ? "Error " + std::to_string(error) : reason));
    }
}
