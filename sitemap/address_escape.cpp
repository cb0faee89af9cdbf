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

void AppendPercentByte(std::string& out, unsigned char byte)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
}

}  // namespace

void appendEscapedAddress(std::string& out, std::string_view text, LeadBytePredicate isLeadByte)
{
    for (size_t at = 0; at < text.size(); ++at) {
        auto byte = static_cast<unsigned char>(text[at]);
        if (const char* entity = EntityFor(byte))
            out += entity;
        else if (PassesUnchanged(byte))
            out += text[at];
        else {
            AppendPercentByte(out, byte);
            if (isLeadByte(byte) && at + 1 < text.size())
                AppendPercentByte(out, static_cast<unsigned char>(text[++at]));
        }
    }
}

std::string escapeAddress(std::string_view text, LeadBytePredicate isLeadByte)
{
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 4);
    appendEscapedAddress(escaped, text, isLeadByte);
    return escaped;
}
