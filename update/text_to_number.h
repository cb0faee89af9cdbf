#pragma once
#include <string_view>

// A plain decimal number after optional leading spaces: optional sign, 1 to
// 18 digits with at most one point, optional exponent of magnitude up to
// 4931. Anything else anywhere, or an empty text, gives 0; never a partial
// number.
double TextToNumber(std::string_view text);
