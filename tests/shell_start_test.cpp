#include "support/quorrel_run.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

StartOptions SettingsOptions(const std::string& bytes)
{
    StartOptions options;
    options.settingsBytes = bytes;
    return options;
}

int IndexOf(const std::vector<HWND>& windows, HWND window)
{
    return static_cast<int>(std::find(windows.begin(), windows.end(), window) - windows.begin());
}

}  // namespace

TEST(FirstStart, ShowsBothWindowsWithDefaultsAndEndsWritingThem)
{
    QuorrelRun run = StartQuorrel("first");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    ASSERT_TRUE(run.infoWindow) << "the main window has no owner";

    EXPECT_EQ(WindowText(run.infoWindow), kInfoCaption);
    EXPECT_TRUE(IsWindowVisible(run.infoWindow));
    RECT main = PlacementOf(run.mainWindow);
    RECT info = PlacementOf(run.infoWindow);
    EXPECT_EQ(main.left, 80);
    EXPECT_EQ(main.top, 80);
    EXPECT_EQ(main.right - main.left, 320);
    EXPECT_EQ(main.bottom - main.top, 205);
    EXPECT_EQ(info.left, 80);
    EXPECT_EQ(info.top, 80);
    EXPECT_EQ(info.right - info.left, 840);
    EXPECT_EQ(info.bottom - info.top, 680);
    std::vector<HWND> zOrder = VisibleTopLevelWindows(run.child.id);
    EXPECT_LT(IndexOf(zOrder, run.mainWindow), IndexOf(zOrder, run.infoWindow)) << "main window not in front";

    EXPECT_EQ(WindowText(run.Control(kWebAddressFieldId)), "http://");
    EXPECT_EQ(WindowText(run.Control(kPageFolderFieldId)), "");
    EXPECT_EQ(SendMessageA(run.Control(kHtmlMapCheckBoxId), BM_GETCHECK, 0, 0), BST_CHECKED);

    EXPECT_EQ(CloseMainWindow(run), 0u);
    EXPECT_EQ(FileBytes(run.SettingsPath()), "http://\r\n\r\n");
}

TEST(FirstStart, ControlsCarryTheirTextsClassesAndPlaces)
{
    struct Expected { QuorrelControl id; const char* className; const char* text; RECT place; };
    const Expected controls[] = {
        {kWebAddressLabelId, "Static", "Path to files on webb server", {5, 5, 205, 25}},
        {kWebAddressFieldId, "Edit", "http://", {5, 30, 245, 50}},
        {kPageFolderLabelId, "Static", "Path to files on harddisk", {5, 55, 205, 75}},
        {kPageFolderFieldId, "Edit", "", {5, 80, 245, 100}},
        {kBrowseButtonId, "Button", "Browse", {250, 80, 300, 100}},
        {kCreateButtonId, "Button", "Create GoogleFile", {10, 110, 160, 130}},
        {kHtmlMapCheckBoxId, "Button", "Create SiteMap.html", {170, 110, 290, 130}},
        {kHomepageButtonId, "Button", "Open Homepage", {10, 140, 160, 160}},
    };
    QuorrelRun run = StartQuorrel("controls");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);

    auto expectInPlace = [&](const char* when) {
        for (const Expected& expected : controls) {
            HWND control = run.Control(expected.id);
            ASSERT_TRUE(control) << expected.text;
            RECT place = PlacementOf(control);
            EXPECT_TRUE(EqualRect(&place, &expected.place))
                << when << ": " << expected.text << " at " << place.left << "," << place.top << " to "
                << place.right << "," << place.bottom;
        }
    };
    for (const Expected& expected : controls) {
        HWND control = run.Control(expected.id);
        EXPECT_EQ(lstrcmpiA(WindowClass(control).c_str(), expected.className), 0) << expected.text;
        EXPECT_EQ(WindowText(control), expected.text);
    }
    expectInPlace("at start");

    SetWindowPos(run.mainWindow, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return PlacementOf(run.mainWindow).right - 80 == 700; }, 5000));
    expectInPlace("after resizing");
    ShowWindowAsync(run.mainWindow, SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(run.mainWindow); }, 5000));
    expectInPlace("after maximizing");
}

TEST(Settings, FileTextsGoIntoTheFields)
{
    struct Case { std::string file; std::string webAddress; std::string pageFolder; };
    const Case cases[] = {
        {"http://www.example.test/\r\nC:\\web\\site\r\n", "http://www.example.test/", "C:\\web\\site"},
        {"", "", ""},
        {"  spaced address \r\n  D:\\pages  \r\n", "  spaced address ", "  D:\\pages  "},
        {"only one line", "only one line", ""},
        {"first\r\nsecond without end", "first", "second without end"},
        {"a\r\nb\r\nthird\r\n", "a", "b"},
    };
    for (const Case& c : cases) {
        QuorrelRun run = StartQuorrel("settings", SettingsOptions(c.file));
        FinishedAtEnd guard{run};
        ASSERT_TRUE(run.mainWindow) << c.file;
        EXPECT_EQ(WindowText(run.Control(kWebAddressFieldId)), c.webAddress) << c.file;
        EXPECT_EQ(WindowText(run.Control(kPageFolderFieldId)), c.pageFolder) << c.file;
    }
}

TEST(Closing, WritesTheFieldsByteForByteAndEndsWithZero)
{
    struct Case { std::string webAddress; std::string pageFolder; bool hideInfoWindow; };
    const Case cases[] = {
        {"http://www.example.test/site/", "C:\\pages\\", false},
        {"", "", false},
        {" x ", "Z:\\caf\xE9 \xFC", true},
    };
    for (const Case& c : cases) {
        QuorrelRun run = StartQuorrel("closing", SettingsOptions("old\r\nold\r\nextra\r\n"));
        FinishedAtEnd guard{run};
        ASSERT_TRUE(run.mainWindow);
        if (c.hideInfoWindow) {
            PostMessageA(run.infoWindow, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.infoWindow); }, 5000));
        }
        SetFieldText(run.Control(kWebAddressFieldId), c.webAddress);
        SetFieldText(run.Control(kPageFolderFieldId), c.pageFolder);
        EXPECT_EQ(CloseMainWindow(run), 0u);
        EXPECT_EQ(FileBytes(run.SettingsPath()), c.webAddress + "\r\n" + c.pageFolder + "\r\n");
    }
}

TEST(InfoWindow, ClosingHidesItAndTheProgramGoesOn)
{
    QuorrelRun run = StartQuorrel("infoclose");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    PostMessageA(run.infoWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.infoWindow); }, 5000));
    EXPECT_TRUE(IsWindow(run.infoWindow)) << "closing destroyed the window";
    EXPECT_FALSE(WaitForExit(run.child, 200)) << "the program ended";
    EXPECT_TRUE(IsWindowVisible(run.mainWindow));
    EXPECT_EQ(GetWindow(run.mainWindow, GW_OWNER), run.infoWindow);
    SetFieldText(run.Control(kWebAddressFieldId), "still working");
    EXPECT_EQ(WindowText(run.Control(kWebAddressFieldId)), "still working");
}

TEST(InfoWindow, ResizingLaysOutHostAndStatusBar)
{
    QuorrelRun run = StartQuorrel("inforesize");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    HWND host = GetDlgItem(run.infoWindow, kBrowserHostId);
    HWND statusBar = GetDlgItem(run.infoWindow, kStatusBarId);
    ASSERT_TRUE(host);
    ASSERT_TRUE(statusBar);
    EXPECT_EQ(lstrcmpiA(WindowClass(statusBar).c_str(), "msctls_statusbar32"), 0);

    RECT frame = PlacementOf(run.infoWindow);
    RECT client;
    GetClientRect(run.infoWindow, &client);
    int extraWidth = (frame.right - frame.left) - client.right;
    int extraHeight = (frame.bottom - frame.top) - client.bottom;
    SetWindowPos(run.infoWindow, nullptr, 0, 0, 600 + extraWidth, 400 + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil(
        [&] {
            GetClientRect(run.infoWindow, &client);
            RECT place = PlacementOf(host);
            return client.right == 600 && client.bottom == 400 && place.right - place.left == 590;
        },
        5000));
    RECT place = PlacementOf(host);
    EXPECT_EQ(place.left, 5);
    EXPECT_EQ(place.top, 5);
    EXPECT_EQ(place.right - place.left, 590);
    EXPECT_EQ(place.bottom - place.top, 375);
    ASSERT_TRUE(WaitUntil([&] { return PlacementOf(statusBar).bottom == 400; }, 5000));
    RECT bar = PlacementOf(statusBar);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, 600);
}
