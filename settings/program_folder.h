#pragma once
#include <string>
#include <string_view>

// The folder of the program named by the first token of commandLine, cut
// after its last backslash (kept); empty when the token has no backslash.
// A token that starts with a double quote runs to the closing quote.
// Wide, so that a folder whose name the ANSI code page cannot hold is found.
std::wstring ProgramFolder(std::wstring_view commandLine);
