#pragma once
#include <string>
#include <string_view>

// Puts into bytes what a listed name stands for in addresses: its bytes in
// the ANSI code page when it converts to it exactly (true), otherwise its
// UTF-8 bytes (false; the form browsers and servers use for names outside
// the code page).
bool NameBytes(std::wstring_view name, std::string& bytes);

// Whether a byte begins a two-byte character in the ANSI code page.
bool AnsiLeadByte(unsigned char byte);
