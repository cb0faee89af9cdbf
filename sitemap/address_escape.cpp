#include "sitemap/address_escape.h"

namespace {

const char* EntityFor(unsigned char byte)
{
    switch (byte) {
    case '&': return "&amp;";
    case '\'': return "&apos;";
    case '"': return "&quot;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return nullptr;
    }
}

bool PassesUnchanged(unsigned char byte) { return (byte >= 40 && byte <= 59) || (byte >= 65 && byte <= 125); }

}  // namespace

std::string escapeAddress(std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (const char* entity = EntityFor(byte))
            escaped += entity;
        else if (PassesUnchanged(byte))
            escaped += c;
        else {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 15];
        }
    }
    return escaped;
}
