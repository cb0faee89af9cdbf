#include "update/text_to_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr size_t kMostDigits = 18;
constexpr int kLargestExponent = 4931;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool TakeSign(std::string_view& text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return negative;
}

// The digits of the number without its point, and how many followed it.
struct Mantissa {
    std::string digits;
    int fractionDigits = 0;
};

Mantissa TakeMantissa(std::string_view& text)
{
    Mantissa mantissa;
    bool point = false;
    size_t at = 0;
    for (; at < text.size(); ++at) {
        if (IsDigit(text[at])) {
            mantissa.digits += text[at];
            mantissa.fractionDigits += point;
        } else if (text[at] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    text.remove_prefix(at);
    return mantissa;
}

// The power of ten after "e" or "E"; false when it is malformed or out of
// range. An absent exponent is 0.
bool TakeExponent(std::string_view& text, int& exponent)
{
    exponent = 0;
    if (text.empty() || (text.front() != 'e' && text.front() != 'E'))
        return true;
    text.remove_prefix(1);
    bool negative = TakeSign(text);
    size_t at = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        if (exponent <= kLargestExponent)
            exponent = exponent * 10 + (text[at] - '0');
    text.remove_prefix(at);
    if (at == 0 || exponent > kLargestExponent)
        return false;
    exponent = negative ? -exponent : exponent;
    return true;
}

double Scaled(const std::string& digits, int powerOfTen)
{
    std::string exact = digits + "e" + std::to_string(powerOfTen);
    double value = 0;
    std::from_chars_result result = std::from_chars(exact.data(), exact.data() + exact.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return powerOfTen > 0 ? HUGE_VAL : 0.0;
    return value;
}

}  // namespace

double TextToNumber(std::string_view text)
{
    size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return 0;
    text.remove_prefix(start);
    bool negative = TakeSign(text);
    Mantissa mantissa = TakeMantissa(text);
    int exponent = 0;
    if (mantissa.digits.empty() || mantissa.digits.size() > kMostDigits || !TakeExponent(text, exponent) ||
        !text.empty())
        return 0;
    double value = Scaled(mantissa.digits, exponent - mantissa.fractionDigits);
    return negative ? -value : value;
}
