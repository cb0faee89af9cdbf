#pragma once
#include <string>
#include <string_view>

// The n-th piece (counted from 1) of text split at every exact occurrence of
// separator; the last piece runs to the end; a piece beyond the last is empty.
std::string NthField(std::string_view text, std::string_view separator, int n);
