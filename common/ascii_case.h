#pragma once
#include <string>
#include <string_view>

// Letter-case folding of the letters A to Z only; every other byte,
// non-ASCII letters included, stays as it is.
inline char LowerAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAsciiLetter(c);
    return lower;
}
