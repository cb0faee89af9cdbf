#pragma once

// The main window's handlers: the three push buttons and the close box.
void OnBrowse();
void OnCreate();
void OnOpenHomepage();

// Saves the two fields, handles what is queued, ends the process with 0.
void OnCloseMainWindow();
