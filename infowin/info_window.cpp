#include "infowin/info_window.h"

#include "common/app_identity.h"
#include "common/primary_window.h"
#include "infowin/common_controls.h"
#include "infowin/event_sink.h"
#include "infowin/info_status.h"

ControlRecord* InfoWindow = nullptr;
ControlRecord* BrowserHost = nullptr;
ObjectRef BrowserObject = nullptr;

namespace {

constexpr int kHostMargin = 5;
constexpr int kStatusBarRoom = 20;

constexpr char kBrowserProgId[] = "Shell.Explorer.1";
constexpr char kBrowserEventsText[] = "{34A715A0-6587-11D0-924A-0020AFC7AC4D}";  // DWebBrowserEvents2
constexpr long kProgressChangeId = 108;
constexpr long kStatusTextChangeId = 102;

void CreateBrowserControl()
{
    CreateHostedControl(BrowserObject, BrowserHost->window, kBrowserProgId);
    // Wine's browser has no connection point for IDispatch and cannot list
    // its points, so the default connection finds nothing there; its events
    // do arrive through the browser's own event interface.
    if (BrowserObject && !HasEventConnection(BrowserObject))
        ConnectEvents(BrowserObject, kBrowserEventsText);
    RegisterEventHandler(BrowserObject, kProgressChangeId, OnProgressChange);
    RegisterEventHandler(BrowserObject, kStatusTextChangeId, OnStatusTextChange);
}

void Navigate(const std::string& address)
{
    const VARIANT arguments[] = {TextArgument(address.c_str()), OmittedArgument(), OmittedArgument(),
                                 OmittedArgument(), OmittedArgument()};
    ArgumentBlock block;
    PackCall(block, "Navigate", arguments, 5);
    CallMethod(BrowserObject, block);
}

void CreateStatusBar()
{
    commonControlsFunctions.initCommonControls();
    ControlRecord& record = TakeNextRecord({.style = WS_CHILD | WS_VISIBLE, .parent = InfoWindow->window});
    record.window = commonControlsFunctions.createStatusWindow(record.style, "", record.parent, record.identifier);
    GiveUiFont(record);
    InfoStatusBar = record.window;
    InfoWindow->statusBar = InfoStatusBar;
}

}  // namespace

void CreateInfoWindow()
{
    LookUpCommonControls();
    InfoWindow = &CreateRecordedWindow({.extendedStyle = WS_EX_CONTROLPARENT,
                                        .className = kAppWindowClass,
                                        .text = kAppIdentifier,
                                        .style = WS_OVERLAPPEDWINDOW,
                                        .x = 80,
                                        .y = 80,
                                        .width = 480,
                                        .height = 320});
    SetPrimaryWindow(InfoWindow->window);

    SetWindowTextA(InfoWindow->window, " ");
    InfoWindow->width = 840;
    MoveRecordedWindow(*InfoWindow);
    InfoWindow->height = 680;
    MoveRecordedWindow(*InfoWindow);
    InfoWindow->OnResize = OnInfoResize;
    InfoWindow->OnClose = OnInfoClose;

    BrowserHost = &CreateRecordedWindow({.className = "STATIC",
                                         .style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_OWNERDRAW,
                                         .x = kHostMargin,
                                         .y = kHostMargin,
                                         .width = 820,
                                         .height = 640,
                                         .parent = InfoWindow->window});
    CreateBrowserControl();

    CreateStatusBar();
}

void ShowInfoPage(const std::string& address, const std::string& caption)
{
    ShowWindow(InfoWindow->window, SW_SHOWNORMAL);
    Navigate(address);
    SetWindowTextA(InfoWindow->window, caption.c_str());
}

void OnInfoResize()
{
    RECT client;
    GetClientRect(InfoWindow->window, &client);

    BrowserHost->x = kHostMargin;
    MoveRecordedWindow(*BrowserHost);
    BrowserHost->width = client.right - 2 * kHostMargin;
    MoveRecordedWindow(*BrowserHost);

    RECT host;
    GetWindowRect(BrowserHost->window, &host);
    MapWindowPoints(nullptr, InfoWindow->window, reinterpret_cast<POINT*>(&host), 2);
    BrowserHost->y = host.top;
    BrowserHost->height = client.bottom - host.top - kStatusBarRoom;
    MoveRecordedWindow(*BrowserHost);
}

void OnInfoClose() { ShowWindow(InfoWindow->window, SW_HIDE); }
