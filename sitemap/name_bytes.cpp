#include "sitemap/name_bytes.h"

#include <windows.h>

namespace {

// Every ANSI code page keeps the ASCII characters as they are: such a name
// is copied across; false, with bytes unfinished, at the first other one.
bool CopiedAsAscii(std::wstring_view name, std::string& bytes)
{
    bytes.resize(name.size());
    for (size_t at = 0; at < name.size(); ++at) {
        if (name[at] >= 0x80)
            return false;
        bytes[at] = static_cast<char>(name[at]);
    }
    return true;
}

// Empty when the conversion fails or, with exact set, when a character had
// no exact counterpart in the code page.
std::string Converted(UINT codePage, std::wstring_view name, bool exact)
{
    DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* asked = exact ? &usedDefault : nullptr;
    int length = static_cast<int>(name.size());
    int count = WideCharToMultiByte(codePage, flags, name.data(), length, nullptr, 0, nullptr, asked);
    if (count <= 0 || usedDefault)
        return {};
    std::string bytes(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(codePage, flags, name.data(), length, bytes.data(), count, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool NameBytes(std::wstring_view name, std::string& bytes)
{
    if (CopiedAsAscii(name, bytes))
        return true;
    bytes = Converted(CP_ACP, name, true);
    if (!bytes.empty())
        return true;
    bytes = Converted(CP_UTF8, name, false);
    return false;
}

bool AnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte); }
