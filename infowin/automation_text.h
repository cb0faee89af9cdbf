#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The automation layer's own text rules: member prefixes, interface
// identifiers written as text, and the texts of its failure messages.

// How a member text is called: the dispatch call kind and where the name
// to look up starts in the text.
struct MemberCall {
    WORD kind;
    size_t nameOffset;
};

// "set_" makes a property put, "setbyref_" a by-reference put, anything
// else keeps defaultKind and the whole text; letters A-Z fold to a-z.
MemberCall ClassifyMember(const char* text, WORD defaultKind);

// Whether text starts with prefix (lower case) after folding A-Z only.
bool StartsWithFolded(const char* text, const char* prefix);

// Reads the registry form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" by
// position; digits of either case. Missing or non-hex digits read as 0.
GUID InterfaceIdFromText(const char* text);

// "COM error" CR "dispid for " name " not found".
std::string MemberNotFoundText(const std::string& name);

// "Creation of " progId " object failed:" CR platformText " (&h" 8 upper-
// case hex digits ")".
std::string CreationFailureText(const char* progId, const std::string& platformText, uint32_t code);
