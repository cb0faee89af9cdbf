#include "settings/settings_format.h"

#include "common/nth_field.h"

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}

Settings ParseSettingsText(std::string_view text)
{
    return {NthField(text, kLineEnd, 1), NthField(text, kLineEnd, 2)};
}

std::string SettingsText(std::string_view webAddress, std::string_view pageFolder)
{
    std::string text;
    text.reserve(webAddress.size() + pageFolder.size() + 2 * kLineEnd.size());
    text.append(webAddress).append(kLineEnd).append(pageFolder).append(kLineEnd);
    return text;
}
