#include "settings/settings_file.h"

#include "common/app_identity.h"
#include "common/entry_attributes.h"
#include "common/file_replace.h"
#include "common/message_box.h"
#include "common/whole_file.h"

#include <windows.h>

std::string SettingsPath()
{
    return ProgramFolder(GetCommandLineA()) + "\\tellurio.ini";
}

LoadedSettings LoadSettings()
{
    std::string path = SettingsPath();
    if (!IsPresentNonFolder(EntryAttributes(path)))
        return {};
    return {true, ParseSettingsText(ReadWholeFile(path))};
}

void SaveSettings(const std::string& webAddress, const std::string& pageFolder)
{
    ReplaceOutcome outcome = ReplaceFileContents(SettingsPath(), SettingsText(webAddress, pageFolder));
    if (!outcome.ok)
        ShowMessageBox(nullptr, outcome.failureMessage.c_str(), kAppIdentifier, MB_OK);
}
