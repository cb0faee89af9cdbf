#include "support/quorrel_run.h"

#include <gtest/gtest.h>

// Each mechanism met for real: a copy of the program with a library
// disabled, or with a stand-in beside it that lacks a function; a probe that
// runs out of memory on either thread or meets a value without a reading.
// The box is read and answered. "native" lets Wine take a stand-in but not
// its own copy in the system folder, so a library that must come from there
// is missing, and its report names it as it always did.
TEST(FatalReport, ShowsItsTextAloneThenEndsWithItsExitCode)
{
    struct Case { const char* probeMode; const char* library; const char* order; const char* text; DWORD exitCode; };
    const Case cases[] = {
        {"", "shell32", "", "Library not found  shell32.dll", 1},
        {"", "shell32", "native", "Function not found SHBrowseForFolder", 2},
        {"", "atl", "native", "Library not found  ATL.DLL", 1},
        {"", "comctl32", "native", "Library not found  comctl32.dll", 1},
        {"memory", nullptr, nullptr, "Insufficient memory", 3},
        {"memory-thread", nullptr, nullptr, "Insufficient memory", 3},
        {"variant", nullptr, nullptr, "Variant type error ", 6},
    };
    for (const Case& c : cases) {
        StartOptions options{.arguments = c.probeMode, .copyName = "quorrel_fatal.exe", .waitForMainWindow = false};
        options.program = c.library ? options.program : "tests\\fatal_probe.exe";
        if (c.library) {
            options.loadOrders = {{c.library, c.order}};
            options.fileBeside = "fakes\\" + std::string(c.library) + ".dll";
        }
        QuorrelRun run = StartQuorrel("fatal", options);
        FinishedAtEnd guard{run};
        std::optional<MessageBoxSeen> box = WaitForMessageBox(run.child.id, 20000);
        ASSERT_TRUE(box) << c.text;
        EXPECT_TRUE(box->text == c.text && box->caption == "Quillmarn" && !box->owner) << c.text << box->text;
        EXPECT_TRUE(box->buttons == std::vector<std::string>{"OK"} && !box->hasIcon) << c.text;
        EXPECT_EQ(VisibleTopLevelWindows(run.child.id), std::vector<HWND>{box->window}) << c.text;
        AnswerMessageBox(box->window, IDOK);
        EXPECT_EQ(WaitForExit(run.child, 20000), c.exitCode) << c.text;
    }
}
