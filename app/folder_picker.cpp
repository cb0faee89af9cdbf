#include "app/folder_picker.h"

#include "common/shell_functions.h"

#include <shlobj.h>

namespace {

// Kept from call to call; every call sets title and callback afresh.
BROWSEINFOA dialogParameters = {};
std::string title;
std::string startFolder;

}  // namespace

int CALLBACK PickerCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

std::string PickFolder(const PickerRequest& request)
{
    title = PickerSlotText(request, PickerSlot::Title);
    startFolder = PickerSlotText(request, PickerSlot::StartFolder);
    PathBuffer path = BlankPathBuffer();

    dialogParameters.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!title.empty())
        dialogParameters.lpszTitle = title.c_str();
    if (!startFolder.empty()) {
        dialogParameters.lpfn = PickerCallback;
        dialogParameters.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    }

    PIDLIST_ABSOLUTE chosen = shellFunctions.browseForFolder(&dialogParameters);
    if (!chosen)
        return {};
    shellFunctions.getPathFromIdList(chosen, path.data());
    shellFunctions.coTaskMemFree(chosen);
    return PickedPathText(path);
}
