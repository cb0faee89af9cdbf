#pragma once
#include <string>
#include <string_view>

// Puts into bytes what a listed name stands for in addresses: its bytes in
// the ANSI code page when it converts to it exactly, otherwise its UTF-8
// bytes (the form browsers and servers use for names outside the code page).
void NameBytes(std::wstring_view name, std::string& bytes);
