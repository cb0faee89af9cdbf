#pragma once

// Whether a byte begins a two-byte character in the code page at hand.
using LeadBytePredicate = bool (*)(unsigned char byte);

inline bool NoLeadBytes(unsigned char) { return false; }
