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

// A file that was there at start but could not be read left the fields
// empty; closing with them still empty keeps the file as it is.
bool unreadAtStart = false;

}  // namespace

std::wstring SettingsPath()
{
    return ProgramFolder(GetCommandLineW()) + L"\\tellurio.ini";
}

LoadedSettings LoadSettings()
{
    std::wstring path = SettingsPath();
    if (!IsPresentNonFolder(EntryAttributes(path)))
        return {};
    std::optional<std::string> text = ReadWholeFile(path, kMostBytesRead);
    unreadAtStart = !text;
    return {true, ParseSettingsText(text.value_or(std::string()))};
}

void SaveSettings(const std::string& webAddress, const std::string& pageFolder)
{
    if (unreadAtStart && webAddress.empty() && pageFolder.empty())
        return;
    ReplaceOutcome outcome = ReplaceFileContents(SettingsPath(), SettingsText(webAddress, pageFolder));
    if (!outcome.ok)
        ShowMessageBox(nullptr, outcome.failureMessage.c_str(), kAppIdentifier, MB_OK);
}
