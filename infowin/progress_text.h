#pragma once
#include <string>

// A reading of an automation number as a whole number: rounded to the
// nearest (ties to even) and held within +-2^53, so arithmetic on it stays
// exact.
long long WholeNumber(double number);

// "<percentage>% complete" for progress of maximum, the percentage cut
// toward zero; maximum must not be 0.
std::string ProgressText(long long progress, long long maximum);
