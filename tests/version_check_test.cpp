#include "support/http_recorder.h"
#include "support/local_server.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"
#include "update/maker_server.h"
#include "update/version_check.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <optional>

namespace {

constexpr DWORD kChildLimitMs = 15000;
HWND IconControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClass(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_ICON) == SS_ICON)
            return child;
    return nullptr;
}

// The icon's pixels as drawn on the dialog's face colour.
std::vector<COLORREF> IconPixels(HICON icon)
{
    int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, GetSysColorBrush(COLOR_3DFACE));
    DrawIcon(memory, 0, 0, icon);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The pixels of the box's icon as shown on the screen.
std::vector<COLORREF> ShownIconPixels(HWND control)
{
    int size = GetSystemMetrics(SM_CXICON);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Which of the four standard message-box icons the box shows, by its pixels.
std::string ShownIcon(HWND box)
{
    HWND control = IconControl(box);
    if (!control)
        return "none";
    std::vector<COLORREF> shown = ShownIconPixels(control);
    const std::pair<const char*, LPCSTR> icons[] = {
        {"question", IDI_QUESTION}, {"exclamation", IDI_EXCLAMATION}, {"hand", IDI_HAND}, {"asterisk", IDI_ASTERISK}};
    for (const auto& [name, id] : icons)
        if (IconPixels(LoadIconA(nullptr, id)) == shown)
            return name;
    return "unknown";
}

ChildProcess StartProbe(const std::string& arguments)
{
    return StartProcess(HelperCommand("version_probe.exe") + " " + arguments);
}

std::string VersionPage(const std::string& announced)
{
    return HttpAnswer("<html><head><meta name=\"QuillmarnVersion\" content=\"" + announced + "\"></head></html>");
}

}  // namespace

TEST(TextToNumber, ReadsOnlyAWholePlainDecimalNumber)
{
    struct Case { const char* text; double number; };
    const Case cases[] = {
        {"2.3", 2.3},        {"2.30", 2.3},        {"2.4", 2.4},          {"3", 3},
        {"2.10", 2.1},       {"2.3.1", 0},         {"v2.4", 0},           {"2.4 ", 0},
        {"   2.4", 2.4},     {"\t2.4", 0},         {"-5", -5},            {"+2.4", 2.4},
        {"1e0", 1},          {"1e1", 10},          {"1E+1", 10},          {"25e-1", 2.5},
        {"", 0},             {"    ", 0},          {".5", 0.5},           {"5.", 5},
        {".", 0},            {"e5", 0},            {"1e", 0},             {"1e+", 0},
        {"2,4", 0},          {"\"2.4\"", 0},       {"--1", 0},            {"- 1", 0},
        {"123456789012345678", 123456789012345678.0},
        {"1234567890123456789", 0},
        {"000000000000000001", 1},
        {"0000000000000000001", 0},
        {"12345678.90123456789", 0},
        {"1234567.89012345678", 1234567.89012345678},
        {"1e4932", 0},       {"1e-4932", 0},       {"1e-4931", 0},        {"1e0004931", HUGE_VAL},
        {"1e4931", HUGE_VAL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(VersionCheck, PromptsOnlyForAGreaterAnnouncedVersion)
{
    struct Case { const char* announced; bool prompt; int answer; };
    const Case cases[] = {
        {"2.3", false, 0},   {"2.30", false, 0}, {"2.10", false, 0}, {"2.3.1", false, 0}, {"v2.4", false, 0},
        {"2.4 ", false, 0},  {"", false, 0},     {"-5", false, 0},   {"1e0", false, 0},   {"2.4", true, IDNO},
        {"3", true, IDNO},   {"1e1", true, IDNO}, {"  2.4", true, IDYES},
    };
    std::string recordFolder = MakeScratchFolder("recorded");
    RecordingHttpHandler handler(recordFolder);
    size_t opened = 0;
    for (const Case& c : cases) {
        LocalServer server({{{VersionPage(c.announced)}}});
        ChildProcess child = StartProbe(std::to_string(server.Port()));
        ASSERT_NE(child.process, nullptr);
        if (c.prompt) {
            std::optional<MessageBoxSeen> box = WaitForMessageBox(child.id, kChildLimitMs);
            ASSERT_TRUE(box.has_value()) << c.announced;
            EXPECT_EQ(box->text, "New Version (" + std::string(c.announced) +
                                     ") of the Quorrel was found, do you want to go to the homepage and download "
                                     "the new version?");
            EXPECT_EQ(box->caption, "Download New Version");
            EXPECT_EQ(box->buttons, (std::vector<std::string>{"&Yes", "&No"})) << c.announced;
            EXPECT_EQ(ShownIcon(box->window), "question") << c.announced;
            DWORD ownerProcess = 0;
            GetWindowThreadProcessId(box->owner, &ownerProcess);
            EXPECT_EQ(ownerProcess, child.id) << "owned by the hidden primary window";
            EXPECT_EQ(WindowText(box->owner), "Quillmarn");
            AnswerMessageBox(box->window, c.answer);
        }
        std::optional<DWORD> exitCode = WaitForExit(child, kChildLimitMs);
        EXPECT_EQ(exitCode, 0u) << c.announced << (exitCode ? "" : ": still running, an unexpected prompt?");
        if (!exitCode)
            TerminateProcess(child.process, 255);
        CloseHandle(child.process);
        EXPECT_EQ(server.Finish(), "GET /site/Quillmarn.html HTTP/1.0\r\n\r\n") << c.announced;
        opened += c.answer == IDYES;
        std::vector<std::string> recorded = RecordedOnceSettled(recordFolder, opened, kChildLimitMs);
        EXPECT_EQ(recorded.size(), opened) << c.announced;
        for (const std::string& address : recorded)
            EXPECT_EQ(address, HomepageAddress());
    }
    RemoveTree(recordFolder);
}

TEST(VersionCheck, AnUnreachableServerEndsTheCheckSilently)
{
    ChildProcess child = StartProbe(std::to_string(UnusedPort()));
    EXPECT_EQ(WaitForExit(child, kChildLimitMs), 0u);
    CloseHandle(child.process);
}
