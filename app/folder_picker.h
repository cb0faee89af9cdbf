#pragma once
#include "app/picker_request.h"

#include <windows.h>

#include <string>

// Shows the platform's folder dialog (no owner, file-system folders only)
// with the request's title, the start folder selected; answers the chosen
// folder's path, or empty text when the user cancels.
std::string PickFolder(const PickerRequest& request);

// Selects the start folder (data) once the dialog is built; answers 0.
int CALLBACK PickerCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);
