#pragma once
#include <string>
#include <string_view>

// The value written after "content=" behind marker in a received page:
// marker and "content=" match in any ASCII letter case, the search stops at
// the first zero byte, the one character after "content=" is skipped and the
// one before the next ">" dropped. Empty when any piece is missing.
std::string ExtractPageValue(std::string_view received, std::string_view marker);
