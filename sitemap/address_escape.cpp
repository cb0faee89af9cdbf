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

void appendEscapedAddress(std::string& out, std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (const char* entity = EntityFor(byte))
            out += entity;
        else if (PassesUnchanged(byte))
            out += c;
        else {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 15];
        }
    }
}

std::string escapeAddress(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 4);
    appendEscapedAddress(escaped, text);
    return escaped;
}
