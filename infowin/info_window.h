#pragma once
#include "frame/window_frame.h"
#include "infowin/automation.h"

#include <string>

// The information window: the first top-level window (so PrimaryWindow and
// owner of the main window), hosting the browser control above a status bar.
extern ControlRecord* InfoWindow;
extern ControlRecord* BrowserHost;
// The browser control; empty when it could not be created.
extern ObjectRef BrowserObject;

// Builds the window, the host and the status bar, hidden; sets PrimaryWindow.
void CreateInfoWindow();

// Shows the window, points the control at address and sets the caption.
void ShowInfoPage(const std::string& address, const std::string& caption);

// Keeps the host 5 pixels from the left, top and right edges and 20 above
// the bottom, where the status bar lies.
void OnInfoResize();

// Closing only hides the window; it never comes back.
void OnInfoClose();
