#include "frame/window_frame.h"

ControlTable controlTable;
HINSTANCE moduleInstance = nullptr;
HFONT UiFont = nullptr;

namespace {

HandlerMessage currentMessage;
int nextIdentifier = 0;

// Searches every slot handed out so far: a window that could not be created
// leaves its slot without a window but ends no search.
template <typename Matches>
ControlRecord* FindRecord(Matches matches)
{
    for (int slot = 0; slot < nextIdentifier; ++slot) {
        ControlRecord& record = controlTable[slot];
        if (record.window && matches(record))
            return &record;
    }
    return nullptr;
}

ControlRecord* RecordOfIdentifier(int identifier)
{
    return FindRecord([identifier](const ControlRecord& record) { return record.identifier == identifier; });
}

// Runs a handler with the message it answers available to it.
LRESULT RunHandler(Handler handler, const HandlerMessage& message)
{
    HandlerMessage outer = currentMessage;
    currentMessage = message;
    handler();
    currentMessage = outer;
    return 0;
}

void RefreshPlacement(ControlRecord& record)
{
    RECT rect;
    GetWindowRect(record.window, &rect);
    record.x = rect.left;
    record.y = rect.top;
    record.width = rect.right - rect.left;
    record.height = rect.bottom - rect.top;
}

}  // namespace

const HandlerMessage& CurrentMessage() { return currentMessage; }

void RegisterAppWindowClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = AppWindowProcedure;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = static_cast<HICON>(LoadImageA(moduleInstance, "AppIco", IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(moduleInstance, "AppIco", IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kAppWindowClass;
    RegisterClassExA(&windowClass);
}

void CreateUiFont()
{
    // -11 is 8 points at 96 dots per inch; a positive tiny height would ask
    // Wine's scalable stand-in face for a one-pixel font.
    LOGFONTA description = {};
    description.lfHeight = -11;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(description.lfFaceName, "MS Sans Serif");
    UiFont = CreateFontIndirectA(&description);
}

ControlRecord& TakeNextRecord(const ControlRecord& description)
{
    ControlRecord& record = controlTable[nextIdentifier];
    record = description;
    record.identifier = nextIdentifier++;
    return record;
}

void GiveUiFont(ControlRecord& record)
{
    record.font = UiFont;
    SendMessageA(record.window, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont), TRUE);
}

ControlRecord& CreateRecordedWindow(const ControlRecord& description)
{
    ControlRecord& record = TakeNextRecord(description);
    // A top-level window's menu parameter is a menu handle, not an identifier.
    bool child = record.style & WS_CHILD;
    HMENU menuOrIdentifier = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(record.identifier)) : nullptr;
    record.window = CreateWindowExA(record.extendedStyle, record.className, record.text, record.style, record.x,
                                    record.y, record.width, record.height, record.parent, menuOrIdentifier,
                                    moduleInstance, nullptr);
    GiveUiFont(record);
    return record;
}

ControlRecord* RecordOfWindow(HWND window)
{
    return FindRecord([window](const ControlRecord& record) { return record.window == window; });
}

void MoveRecordedWindow(ControlRecord& record)
{
    MoveWindow(record.window, record.x, record.y, record.width, record.height, TRUE);
}

LRESULT CALLBACK AppWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HandlerMessage handled{window, message, wParam, lParam, 0};
    switch (message) {
    case WM_COMMAND: {
        handled.notifyCode = HIWORD(wParam);
        ControlRecord* control = RecordOfIdentifier(LOWORD(wParam));
        if (control && control->OnClick)
            return RunHandler(control->OnClick, handled);
        break;
    }
    case WM_CLOSE: {
        ControlRecord* record = RecordOfWindow(window);
        if (record && record->OnClose)
            return RunHandler(record->OnClose, handled);
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE: {
        ControlRecord* record = RecordOfWindow(window);
        if (!record || (wParam != SIZE_RESTORED && wParam != SIZE_MAXIMIZED))
            break;
        RefreshPlacement(*record);
        // A status bar given no size lays itself out along the bottom edge.
        if (record->statusBar)
            MoveWindow(record->statusBar, 0, 0, 0, 0, TRUE);
        if (record->OnResize)
            return RunHandler(record->OnResize, handled);
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
