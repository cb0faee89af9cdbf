#pragma once
#include <string_view>

// The part of text after the last separator; empty when there is none.
std::string_view textAfterLast(std::string_view text, char separator);

// The part of text before the first separator; empty when there is none.
std::string_view textBeforeFirst(std::string_view text, char separator);
