#include "settings/settings_file.h"

#include "common/app_identity.h"
#include "common/entry_attributes.h"
#include "common/file_replace.h"
#include "common/message_box.h"
#include "common/whole_file.h"

#include <windows.h>

namespace {

// The two lines lie at the start; a file of any size is read only that far.
constexpr size_t kMostBytesRead = 1 << 20;

}  // namespace

std::string SettingsPath()
{
    return ProgramFolder(GetCommandLineA()) + "\\tellurio.ini";
}

LoadedSettings LoadSettings()
{
    std::string path = SettingsPath();
    if (!IsPresentNonFolder(EntryAttributes(path)))
        return {};
    return {true, ParseSettingsText(ReadWholeFile(path, kMostBytesRead))};
}

void SaveSettings(const std::string& webAddress, const std::string& pageFolder)
{
    ReplaceOutcome outcome = ReplaceFileContents(SettingsPath(), SettingsText(webAddress, pageFolder));
    if (!outcome.ok)
        ShowMessageBox(nullptr, outcome.failureMessage.c_str(), kAppIdentifier, MB_OK);
}
