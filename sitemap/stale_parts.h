#pragma once
#include <string>
#include <vector>

// The parts that the page folder's sitemap.xml lists when it is an index as
// this program writes them; none for a map of pages, or no file.
std::vector<int> PartsOfOldIndex(const std::wstring& pageFolder);

// Deletes the parts that the old index listed and the new sitemap.xml, which
// lists the first partCount, no longer does: only files an index named, so no
// file of the user's goes. A part that is still there afterwards is named in
// failures with the platform's reason.
void DeleteStaleParts(const std::wstring& pageFolder, const std::vector<int>& oldParts, int partCount,
                      std::vector<std::string>& failures);
