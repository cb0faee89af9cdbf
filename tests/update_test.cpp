#include "common/shell_functions.h"
#include "support/local_server.h"
#include "support/own_message_boxes.h"
#include "support/quorrel_run.h"
#include "support/test_paths.h"
#include "update/page_value.h"
#include "update/version_check.h"

#include <gtest/gtest.h>

#include <cmath>

constexpr char kRequest[] = "GET /site/Quillmarn.html HTTP/1.0\r\n\r\n";
const FetchLimits kQuick{50, 500};

static std::string Meta(std::string version) { return "<meta name=\"QuillmarnVersion\" content=\"" + version + "\">"; }

TEST(ExtractPageValue, SkipsTheCharacterAfterContentAndDropsTheOneBeforeTheNextBracket)
{
    struct Case { std::string received; const char* value; };
    const Case cases[] = {
        {HttpAnswer(Meta("2.4"), "404 Not Found"), "2.4"}, {"QUILLMARNVERSION' CoNtEnT='2.4-Beta'>", "2.4-Beta"},
        {Meta("") + Meta("2.4"), ""}, {"QuillmarnVersion content=2.4>", "."}, {std::string("\0", 1) + Meta("2.4"), ""},
        {"content='9' QuillmarnVersion>", ""}, {"QuillmarnVersion content='2.4'", ""},
        {"QuillmarnVersion content='>", ""}, {">QuillmarnVersion content='7'>", "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractPageValue(c.received, "QuillmarnVersion"), c.value) << c.received;
}

TEST(TextToNumber, ReadsOnlyAWholePlainDecimalNumber)
{
    struct Case { const char* text; double number; };
    const Case cases[] = {
        {"2.30", 2.3}, {"   2.4", 2.4}, {"-5", -5}, {"+2.4", 2.4}, {"1e+1", 10}, {"25E-1", 2.5}, {".5", 0.5}, {"5.", 5},
        {"  ", 0},     {"2.3.1", 0},    {"v2.4", 0}, {"2.4 ", 0}, {"\t2.4", 0}, {".", 0},      {"1e", 0},    {"--1", 0},
        {"1234567.89012345678", 1234567.89012345678}, {"0000000000000000001", 0}, {"1e0004931", HUGE_VAL},
        {"1e4932", 0}, {"1e4294967306", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.number) << '"' << c.text << '"';
}

// The check as the program makes it, Yes answered: the bare request, at most the first 8192 bytes of the answer, within
// the limit whatever the server sends or withholds; only a newer version asks. Yes opens the home page once, in a
// single-threaded apartment that the thread (no COM of its own) enters for it and leaves after: entering one more
// there answers S_FALSE.
TEST(VersionCheck, AsksOnlyForANewerVersionInTheFirst8192BytesWithinTheLimitAndYesOpensTheHomePageOnce)
{
    LookUpShellFunctions();
    LookUpShellExecute();
    static std::vector<HRESULT> enteredAtOpen;
    shellFunctions.shellExecute = [](HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) WINAPI -> HINSTANCE {
        if (SUCCEEDED(enteredAtOpen.emplace_back(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))))
            CoUninitialize();
        return nullptr;
    };
    const std::string published = FileBytes(SourceFolder() + "maker-site\\site\\Quillmarn.html");
    struct Case { const char* label; ServerScript script; FetchLimits limits; size_t prompts; };
    const Case cases[] = {
        {"pieces with a pause, a full buffer ending the wait though the server holds on",
         {{{"HTTP/1.0 200 OK\r\n\r\n"}, {Meta("2.4") + std::string(9000, 'x'), 300}}, 60000}, {50, 60000}, 1},
        {"marker over 8192", {{{"HTTP/1.0 200 OK\r\n\r\n"}, {std::string(8148, 'x') + Meta("2.4"), 300}}}, kQuick, 0},
        {"silence", {{}, 60000}, kQuick, 0},
        {"an urgent byte, then silence", {{{"!", 0, true}}, 60000}, kQuick, 0},
        {"the version as published", {{{HttpAnswer(published)}}}, kQuick, 0},
    };
    for (const Case& c : cases) {
        LocalServer server(c.script);
        DWORD start = GetTickCount();
        auto check = [&] { CheckForNewVersion("127.0.0.1", server.port, c.limits); };
        EXPECT_EQ(AnswerOwnMessageBoxes(check, IDYES).size(), c.prompts) << c.label;
        EXPECT_LT(GetTickCount() - start, 20000u) << c.label << ": a hang";
        EXPECT_EQ(server.Finish(), kRequest) << c.label;
    }
    LocalServer gone({});
    gone.Finish();  // nothing listens on its port any more
    auto refused = [&] { CheckForNewVersion("127.0.0.1", gone.port, kQuick); };
    EXPECT_TRUE(AnswerOwnMessageBoxes(refused).empty()) << "no server";
    EXPECT_EQ(enteredAtOpen, std::vector<HRESULT>{S_FALSE});
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "the apartment was not left";
    CoUninitialize();
}

// Makes the command interpreter's echo the shell's handler for http addresses while it lives: each address handed on
// becomes a line of folder's addresses.txt. The handler before is put back.
struct RecordingHttpHandler {
    static constexpr char kKey[] = "http\\shell\\open\\command";
    char before[1024] = {};
    DWORD size = sizeof before;
    explicit RecordingHttpHandler(const std::string& folder)
    {
        RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, before, &size);
        Set("cmd /c echo %1>>\"" + folder + "addresses.txt\"");
    }
    ~RecordingHttpHandler() { Set(before); }
    static void Set(const std::string& command)
    {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command.c_str(), command.size() + 1);
    }
};

// At start the program asks 127.0.0.1:80 for its information page and its version page, here served the same.
TEST(MakerServer, AtStartTheInformationPageIsShownAndANewerVersionPromptsYesOpeningTheHomePageAsTheButtonDoes)
{
    LocalServer server({{{HttpAnswer(Meta("  2.4"))}}, 0, 80});
    ASSERT_EQ(server.port, 80) << "port 80 of 127.0.0.1 could not be taken";
    QuorrelRun run = StartQuorrel("maker-server");
    FinishedAtEnd guard{run};
    RecordingHttpHandler handler(run.folder);
    std::optional<MessageBoxSeen> prompt = WaitForMessageBox(run.child.id, 15000);
    ASSERT_TRUE(prompt) << "no prompt";
    EXPECT_EQ(prompt->caption + "|" + prompt->text, "Download New Version|New Version (  2.4) of the Quorrel was found,"
                                                    " do you want to go to the homepage and download the new version?");
    EXPECT_EQ(prompt->buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_TRUE(prompt->owner == run.infoWindow && prompt->hasIcon) << "not over the information window, or no icon";
    EXPECT_EQ(WindowText(run.infoWindow), kInfoCaption);
    AnswerMessageBox(prompt->window, IDYES);
    const std::string home = "http://127.0.0.1/site/Quillmarn.html?appopen\r\n";
    auto recorded = [&] { return FileBytes(run.folder + "addresses.txt"); };
    EXPECT_TRUE(WaitUntil([&] { return recorded() == home; }, 15000)) << "Yes: " << recorded();
    PressButton(run.Control(kHomepageButtonId));
    EXPECT_TRUE(WaitUntil([&] { return recorded() == home + home; }, 15000)) << "the button: " << recorded();
    WaitUntil([&] { return server.served >= 2; }, 10000);
    std::string requests = server.Finish();
    EXPECT_NE(requests.find("GET /site/Information.html?Software=Quillmarn&v=2.3 "), std::string::npos) << requests;
}
