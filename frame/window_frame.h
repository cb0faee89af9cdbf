#pragma once
#include <windows.h>

#include <array>

// Every window and control of the program is described by one record; the
// one window procedure finds the record and runs its handler slots.

using Handler = void (*)();

struct ControlRecord {
    // Creation parameters, in the order CreateWindowExA takes them.
    DWORD extendedStyle = 0;
    const char* className = nullptr;
    const char* text = nullptr;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    int identifier = 0;

    HWND window = nullptr;
    HFONT font = nullptr;
    HWND statusBar = nullptr;  // top-level windows only

    Handler OnClick = nullptr;
    Handler OnClose = nullptr;
    Handler OnResize = nullptr;
};

// One slot for each of the twelve windows and controls.
inline constexpr int kControlCount = 12;
using ControlTable = std::array<ControlRecord, kControlCount>;
extern ControlTable controlTable;

// The message being handled while a handler runs.
struct HandlerMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    WORD notifyCode = 0;
};
const HandlerMessage& CurrentMessage();

extern HINSTANCE moduleInstance;
extern HFONT UiFont;
inline constexpr char kAppWindowClass[] = "QuorrelWindow";

// The application window class (icons from "AppIco") and UiFont.
void RegisterAppWindowClass();
void CreateUiFont();

// The table slot of the next identifier, filled from description; the
// caller creates the window.
ControlRecord& TakeNextRecord(const ControlRecord& description);
void GiveUiFont(ControlRecord& record);

// Creates the window the record describes with the next identifier, gives
// it UiFont and stores the handle; answers the record.
ControlRecord& CreateRecordedWindow(const ControlRecord& description);

// The record of a window handle, or nullptr.
ControlRecord* RecordOfWindow(HWND window);

// Sets left, top, width and height of a record and moves its window there.
void MoveRecordedWindow(ControlRecord& record);

LRESULT CALLBACK AppWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
