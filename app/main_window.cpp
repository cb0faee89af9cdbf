#include "app/main_window.h"

#include "common/app_identity.h"
#include "common/primary_window.h"

#include <string>

ControlRecord* MainWindow = nullptr;

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTERIMAGE;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_NOHIDESEL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr int kControlHeight = 20;

struct ControlLayout {
    const char* className;
    DWORD extendedStyle;
    DWORD style;
    int x;
    int y;
    int width;
    const char* text;  // nullptr: no text is set
    Handler MainWindowHandlers::*onClick;
};

enum MainControl { WebAddressLabel, WebAddressField, PageFolderLabel, PageFolderField,
                   BrowseButton, CreateButton, HtmlMapCheckBox, HomepageButton, kMainControlCount };

constexpr ControlLayout kMainControls[kMainControlCount] = {
    {"STATIC", 0, kLabelStyle, 5, 5, 200, "Path to files on webb server", nullptr},
    {"EDIT", WS_EX_CLIENTEDGE, kFieldStyle, 5, 30, 240, "http://", nullptr},
    {"STATIC", 0, kLabelStyle, 5, 55, 200, "Path to files on harddisk", nullptr},
    {"EDIT", WS_EX_CLIENTEDGE, kFieldStyle, 5, 80, 240, nullptr, nullptr},
    {"BUTTON", 0, kButtonStyle, 250, 80, 50, "Browse", &MainWindowHandlers::onBrowse},
    {"BUTTON", 0, kButtonStyle, 10, 110, 150, "Create GoogleFile", &MainWindowHandlers::onCreate},
    {"BUTTON", 0, kCheckBoxStyle, 170, 110, 120, "Create SiteMap.html", nullptr},
    {"BUTTON", 0, kButtonStyle, 10, 140, 150, "Open Homepage", &MainWindowHandlers::onOpenHomepage},
};

HWND controls[kMainControlCount] = {};

std::string ControlText(HWND control)
{
    std::string text(GetWindowTextLengthA(control) + 1, '\0');
    text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
    return text;
}

void CreateControl(MainControl which, const MainWindowHandlers& handlers)
{
    const ControlLayout& layout = kMainControls[which];
    ControlRecord& record = CreateRecordedWindow({.extendedStyle = layout.extendedStyle,
                                                  .className = layout.className,
                                                  .style = layout.style,
                                                  .x = layout.x,
                                                  .y = layout.y,
                                                  .width = layout.width,
                                                  .height = kControlHeight,
                                                  .parent = MainWindow->window});
    if (layout.text)
        SetWindowTextA(record.window, layout.text);
    if (layout.onClick)
        record.OnClick = handlers.*layout.onClick;
    controls[which] = record.window;
}

}  // namespace

void CreateMainWindow(const MainWindowHandlers& handlers)
{
    MainWindow = &CreateRecordedWindow({.extendedStyle = WS_EX_CONTROLPARENT | WS_EX_NOPARENTNOTIFY,
                                        .className = kAppWindowClass,
                                        .text = kAppIdentifier,
                                        .style = WS_OVERLAPPEDWINDOW,
                                        .x = 80,
                                        .y = 80,
                                        .width = 320,
                                        .height = 205,
                                        .parent = PrimaryWindow()});
    SetWindowTextA(MainWindow->window, (std::string("Quorrel ") + kAppVersion).c_str());
    MainWindow->OnClose = handlers.onClose;
    for (int which = 0; which < kMainControlCount; ++which)
        CreateControl(static_cast<MainControl>(which), handlers);
    SendMessageA(controls[HtmlMapCheckBox], BM_SETCHECK, BST_CHECKED, 0);
}

void ShowMainWindow()
{
    ShowWindow(MainWindow->window, SW_SHOWNORMAL);
    UpdateWindow(MainWindow->window);
}

std::string WebAddressText() { return ControlText(controls[WebAddressField]); }
std::string PageFolderText() { return ControlText(controls[PageFolderField]); }
void SetWebAddressText(const std::string& text) { SetWindowTextA(controls[WebAddressField], text.c_str()); }
void SetPageFolderText(const std::string& text) { SetWindowTextA(controls[PageFolderField], text.c_str()); }
bool HtmlMapChecked() { return SendMessageA(controls[HtmlMapCheckBox], BM_GETCHECK, 0, 0) == BST_CHECKED; }
