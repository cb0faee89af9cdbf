#include "app/start_up.h"

#include "app/main_commands.h"
#include "app/main_window.h"
#include "app/picker_request.h"
#include "common/anti_debug.h"
#include "common/shell_functions.h"
#include "frame/message_loop.h"
#include "frame/window_frame.h"
#include "infowin/automation.h"
#include "infowin/info_window.h"
#include "settings/settings_file.h"
#include "update/maker_server.h"
#include "update/version_check.h"

#include <windows.h>
#include <winsock2.h>

namespace {

HANDLE versionCheckThread = nullptr;

void FillFieldsFromSettings()
{
    LoadedSettings loaded = LoadSettings();
    if (!loaded.present)
        return;
    SetWebAddressText(loaded.settings.webAddress);
    SetPageFolderText(loaded.settings.pageFolder);
}

}  // namespace

void RunProgram()
{
    moduleInstance = GetModuleHandleA(nullptr);
    RegisterAppWindowClass();
    CreateUiFont();
    LookUpShellFunctions();
    // The version text is the constant kAppVersion (common/app_identity.h).
    AntiDebuggingCheck();
    InitAutomation();
    AntiDebuggingCheck();
    CreateInfoWindow();
    LookUpShellExecute();
    SetPickerSlot(pickerRequest, PickerSlot::Title, "Select Folder");
    SetPickerSlot(pickerRequest, PickerSlot::StartFolder, "C:\\");
    CreateMainWindow({OnBrowse, OnCreate, OnOpenHomepage, OnCloseMainWindow});
    FillFieldsFromSettings();
    ShowInfoPage(InfoPageAddress(), "BRISKEL FREEWARE");
    versionCheckThread = CreateThread(nullptr, 0, VersionCheck, nullptr, 0, nullptr);
    ShowMainWindow();

    RunMessageLoop();
    WSACleanup();
    ExitProcess(0);
}
