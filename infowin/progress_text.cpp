#include "infowin/progress_text.h"

#include <cmath>

namespace {

constexpr double kExactLimit = 9007199254740992.0;  // 2^53

}  // namespace

long long WholeNumber(double number)
{
    if (std::isnan(number))
        return 0;
    return static_cast<long long>(std::nearbyint(std::fmax(-kExactLimit, std::fmin(kExactLimit, number))));
}

std::string ProgressText(long long progress, long long maximum)
{
    if (maximum == 0)
        return {};
    return std::to_string(100 * progress / maximum) + "% complete";
}
