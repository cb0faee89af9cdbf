#pragma once
#include <string>
#include <string_view>

struct Settings {
    std::string webAddress;
    std::string pageFolder;
};

// The two texts from the file's bytes: the first and second line, split
// only at the exact pair CR LF; missing lines are empty, extra lines ignored.
Settings ParseSettingsText(std::string_view text);

// The file's bytes for the two texts: each followed by CR LF.
std::string SettingsText(std::string_view webAddress, std::string_view pageFolder);
