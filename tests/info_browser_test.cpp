// The information window's browser control with Wine's own web-browser
// control: in the real program, and the window's code run in this process
// where the status bar's texts can be followed.
#include "infowin/event_sink.h"
#include "infowin/info_status.h"
#include "infowin/info_window.h"
#include "support/automation_setup.h"
#include "support/browser_proxy.h"
#include "support/local_server.h"
#include "support/own_message_boxes.h"
#include "support/quorrel_run.h"

#include <gtest/gtest.h>

#include <exdisp.h>

namespace {

std::string PageAnswer() { return HttpAnswer("<html><body>Information</body></html>"); }

// Every text set on the status bar, in order, followed by subclassing it.
std::vector<std::string> statusTexts;
WNDPROC statusBarProcedure = nullptr;

LRESULT CALLBACK RecordStatusText(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        statusTexts.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
    return CallWindowProcA(statusBarProcedure, window, message, wParam, lParam);
}

void PumpMessagesFor(DWORD milliseconds, const std::function<bool()>& done)
{
    WaitUntil(
        [&] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            return done();
        },
        milliseconds);
}

}  // namespace

TEST(InfoBrowser, StartUpCreatesTheControlAndNavigatesToTheInformationPage)
{
    LocalServer server({{{PageAnswer()}}, 0});
    LocalProxy proxy(server.Port());
    QuorrelRun run = StartQuorrel("browser");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    ASSERT_TRUE(run.infoWindow);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(run.infoWindow) == kInfoCaption; }, 10000));
    std::string request = server.Finish();
    EXPECT_EQ(request.rfind("GET http://127.0.0.1:80/site/Information.html", 0), 0u) << request;
    EXPECT_NE(request.find("/site/Information.html?Software=Quillmarn&v=2.3 HTTP/"), std::string::npos) << request;
    EXPECT_EQ(VisibleTopLevelWindows(run.child.id).size(), 2u) << "a message box is open";
    EXPECT_EQ(CloseMainWindow(run), 0u);
}

TEST(InfoBrowser, WithoutTheControlStartUpReportsItsCreationAndShowsBothWindows)
{
    StartOptions options;
    options.copyName = "quorrel_no_browser_" + std::to_string(GetCurrentProcessId()) + ".exe";
    options.waitForMainWindow = false;
    options.loadOrders = {{"ieframe", ""}};
    QuorrelRun run = StartQuorrel("no_browser", options);
    FinishedAtEnd guard{run};
    std::vector<MessageBoxSeen> boxes;
    while (std::optional<MessageBoxSeen> box = WaitForMessageBox(run.child.id, 10000)) {
        boxes.push_back(*box);
        AnswerMessageBox(box->window, IDOK);
        WaitUntil([&] { return !IsWindow(box->window); }, 5000);
        if (WaitForWindow(run.child.id, kMainCaption, 0))
            break;
    }
    ASSERT_FALSE(boxes.empty());
    for (const MessageBoxSeen& box : boxes) {
        EXPECT_EQ(box.text.rfind("Creation of Shell.Explorer.1 object failed:\r", 0), 0u) << box.text;
        EXPECT_EQ(box.text.find(" (&h8"), box.text.size() - 13) << box.text;
        EXPECT_EQ(box.caption, "Quillmarn");
    }
    run.mainWindow = WaitForWindow(run.child.id, kMainCaption, 10000);
    ASSERT_TRUE(run.mainWindow);
    run.infoWindow = GetWindow(run.mainWindow, GW_OWNER);
    ASSERT_TRUE(run.infoWindow);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(run.infoWindow) == kInfoCaption; }, 10000));
    EXPECT_TRUE(IsWindowVisible(run.infoWindow));
    EXPECT_EQ(WindowText(GetDlgItem(run.infoWindow, kStatusBarId)), "");
    EXPECT_EQ(CloseMainWindow(run), 0u);
}

TEST(InfoWindowControl, StatusTextsOfAPageReachTheStatusBar)
{
    StartAutomationOnce();
    moduleInstance = GetModuleHandleA(nullptr);
    RegisterAppWindowClass();
    CreateUiFont();
    LocalServer server({{{PageAnswer()}}, 0});
    std::vector<MessageBoxSeen> boxes = AnswerOwnMessageBoxes([] { CreateInfoWindow(); });
    EXPECT_TRUE(boxes.empty());
    ASSERT_NE(BrowserObject, nullptr);
    ASSERT_TRUE(HasEventConnection(BrowserObject));
    IID connected = {};
    ConnectionTable.back().connectionPoint->GetConnectionInterface(&connected);
    EXPECT_EQ(connected, DIID_DWebBrowserEvents2);

    statusBarProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(InfoStatusBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordStatusText)));
    std::string address = "http://127.0.0.1:" + std::to_string(server.Port()) + "/site/Information.html";
    boxes = AnswerOwnMessageBoxes([&] { ShowInfoPage(address, "BRISKEL FREEWARE"); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(LastStatus, S_OK);
    PumpMessagesFor(10000, [&] { return !statusTexts.empty() && statusTexts.back().empty() && statusTexts.size() > 3; });
    EXPECT_EQ(server.Finish().rfind("GET /site/Information.html HTTP/", 0), 0u);
    std::string seen;
    for (const std::string& text : statusTexts)
        seen += "[" + text + "]";
    EXPECT_NE(std::find(statusTexts.begin(), statusTexts.end(), "Downloading " + address), statusTexts.end()) << seen;
    ASSERT_FALSE(statusTexts.empty());
    EXPECT_EQ(statusTexts.back(), "") << seen;
    EXPECT_EQ(WindowText(InfoWindow->window), "BRISKEL FREEWARE");
}
