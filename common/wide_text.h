#pragma once
#include <string>
#include <string_view>

// Text in the ANSI code page as wide text, for the wide-character calls.
std::wstring WideFromAnsi(std::string_view text);

// Wide text in the ANSI code page, for messages; a character the code page
// lacks becomes its default character.
std::string AnsiFromWide(std::wstring_view text);
