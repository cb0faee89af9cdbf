#pragma once
#include <string_view>

// A listed name is a page when its extension (after the last ".") is "htm"
// or "html" with A-Z folded to a-z; other bytes are compared as they are.
bool HasPageExtension(std::string_view name);
