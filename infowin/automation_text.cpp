#include "infowin/automation_text.h"

#include "common/ascii_case.h"

#include <oleauto.h>

namespace {

unsigned HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    c = LowerAsciiLetter(c);
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return 0;
}

// position counts from 1, as in "{" at 1 and the first digit at 2.
uint32_t HexField(const char (&padded)[39], int position, int digits)
{
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i)
        value = value * 16 + HexDigit(padded[position - 1 + i]);
    return value;
}

}  // namespace

bool StartsWithFolded(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (*text == '\0' || LowerAsciiLetter(*text) != *prefix)
            return false;
    return true;
}

MemberCall ClassifyMember(const char* text, WORD defaultKind)
{
    if (StartsWithFolded(text, "set_"))
        return {DISPATCH_PROPERTYPUT, 4};
    if (StartsWithFolded(text, "setbyref_"))
        return {DISPATCH_PROPERTYPUTREF, 9};
    return {defaultKind, 0};
}

GUID InterfaceIdFromText(const char* text)
{
    // Copy up to the terminator so a short text cannot be read past its end.
    char padded[39] = {};
    for (int i = 0; i < 38 && text[i]; ++i)
        padded[i] = text[i];
    GUID id;
    id.Data1 = HexField(padded, 2, 8);
    id.Data2 = static_cast<unsigned short>(HexField(padded, 11, 4));
    id.Data3 = static_cast<unsigned short>(HexField(padded, 16, 4));
    const int bytePositions[8] = {21, 23, 26, 28, 30, 32, 34, 36};
    for (int i = 0; i < 8; ++i)
        id.Data4[i] = static_cast<unsigned char>(HexField(padded, bytePositions[i], 2));
    return id;
}

std::string MemberNotFoundText(const std::string& name)
{
    return "COM error\rdispid for " + name + " not found";
}

std::string CreationFailureText(const char* progId, const std::string& platformText, uint32_t code)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex(8, '0');
    for (int i = 7; i >= 0; --i, code >>= 4)
        hex[i] = digits[code & 15];
    return std::string("Creation of ") + progId + " object failed:\r" + platformText + " (&h" + hex + ")";
}
