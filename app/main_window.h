#pragma once
#include "frame/window_frame.h"

#include <string>

// The working window: web address and page folder fields, Browse, Create,
// the HTML map check box and Open Homepage; owned by PrimaryWindow.
extern ControlRecord* MainWindow;

// What the buttons and the close box run.
struct MainWindowHandlers {
    Handler onBrowse = nullptr;
    Handler onCreate = nullptr;
    Handler onOpenHomepage = nullptr;
    Handler onClose = nullptr;
};

// Builds the window hidden with its eight controls; PrimaryWindow must exist.
void CreateMainWindow(const MainWindowHandlers& handlers);
void ShowMainWindow();

std::string WebAddressText();
std::string PageFolderText();
void SetWebAddressText(const std::string& text);
void SetPageFolderText(const std::string& text);
bool HtmlMapChecked();
