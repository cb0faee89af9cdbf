// Runs the settings file functions as the program does, from wherever this
// copy lies: "load OUT" writes the flag, web address, NUL, page folder to
// OUT; "save IN" saves the two texts that IN holds (separated by a NUL).
#include "settings/settings_file.h"
#include "support/test_paths.h"

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "load") == 0) {
        LoadedSettings loaded = LoadSettings();
        std::string out = (loaded.present ? "1" : "0") + loaded.settings.webAddress + '\0' + loaded.settings.pageFolder;
        PutFile(argv[2], out);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "save") == 0) {
        std::string in = FileBytes(argv[2]);
        size_t split = in.find('\0');
        SaveSettings(in.substr(0, split), split == std::string::npos ? std::string() : in.substr(split + 1));
        return 0;
    }
    return 99;
}
