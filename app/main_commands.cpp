#include "app/main_commands.h"

#include "app/folder_picker.h"
#include "app/main_window.h"
#include "frame/message_loop.h"
#include "settings/settings_file.h"
#include "sitemap/generation_run.h"
#include "update/homepage.h"

#include <windows.h>

void OnBrowse()
{
    SetPageFolderText(PickFolder(pickerRequest));
    // Only a folder just chosen becomes the next start folder; a cancelled
    // dialog leaves the previous one.
    std::string chosen = PageFolderText();
    if (!chosen.empty())
        SetPickerSlot(pickerRequest, PickerSlot::StartFolder, chosen);
}

void OnCreate()
{
    std::string pageFolder = PageFolderText();
    std::string webAddress = WebAddressText();
    GenerationRun(pageFolder, webAddress, HtmlMapChecked());
}

void OnOpenHomepage() { OpenHomepage(); }

void OnCloseMainWindow()
{
    SaveSettings(WebAddressText(), PageFolderText());
    PumpPendingMessages();
    ExitProcess(0);
}
