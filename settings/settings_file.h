#pragma once
#include "settings/program_folder.h"
#include "settings/settings_format.h"

#include <string>

struct LoadedSettings {
    bool present = false;
    Settings settings;
};

// "tellurio.ini" beside the program, computed afresh from the command line.
std::wstring SettingsPath();

// The first two lines of the settings file's first MiB; present is false
// when there is no such file (a folder of that name does not count). A file
// that cannot be read gives two empty texts.
LoadedSettings LoadSettings();

// Puts the two texts in place of the settings file in one step. A failed
// save keeps the old file and is reported in a message box. Two empty texts
// leave a file that could not be read at start as it is.
void SaveSettings(const std::string& webAddress, const std::string& pageFolder);
