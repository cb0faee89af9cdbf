#pragma once
#include "sitemap/lead_bytes.h"

#include <string>
#include <string_view>

// A page's raw web address made safe for both site maps: the five XML
// specials become entities, the kept ranges (40-59, 65-125) pass, every
// other byte becomes "%" and two capital hexadecimal digits. Both bytes of
// a two-byte character become "%XX", since its second byte can look like
// "\", "|" or "{" and a browser would take it as that.
std::string escapeAddress(std::string_view text, LeadBytePredicate isLeadByte = NoLeadBytes);

// The same, appended to out.
void appendEscapedAddress(std::string& out, std::string_view text, LeadBytePredicate isLeadByte = NoLeadBytes);
