#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

// Readings of automation values as a number and as text. A by-reference
// value is followed first; a type without the reading ends the process
// through FatalReport(VariantTypeError).

// Whether a value of type (by-reference already followed) reads as a number
// or as text; VT_ARRAY and VT_VECTOR values have neither.
bool HasNumberReading(VARTYPE type);
bool HasTextReading(VARTYPE type);

// VT_EMPTY and VT_NULL read as 0.
double VariantNumber(const VARIANT& value);

// VT_EMPTY and VT_NULL read as the empty text; wide text is converted to
// ANSI, VT_I2 to VT_DATE are written as decimal numbers.
std::string VariantText(const VARIANT& value);
