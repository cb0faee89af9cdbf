#pragma once
#include <string_view>

// A listed name is a page when its extension (after the last ".") is "htm"
// or "html" with A-Z folded to a-z; other bytes are compared as they are.
bool HasPageExtension(std::string_view name);

// A folder the system keeps at the root of a volume (deleted files, restore
// points): never part of a site, even when the site is a whole drive.
bool IsVolumeSystemFolder(std::wstring_view name);
