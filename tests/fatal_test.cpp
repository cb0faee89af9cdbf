#include "support/quorrel_run.h"

#include <gtest/gtest.h>

// Each mechanism met for real: a copy of the program whose shell32 is
// disabled or lacks a function, a probe that runs out of memory on either
// thread or meets a value without a reading. The box is read and answered.
TEST(FatalReport, ShowsItsTextAloneThenEndsWithItsExitCode)
{
    struct Case { const char* probeMode; const char* shell32; const char* text; DWORD exitCode; };
    const Case cases[] = {
        {"", "", "Library not found  shell32.dll", 1},
        {"", "native", "Function not found SHBrowseForFolder", 2},
        {"memory", nullptr, "Insufficient memory", 3},
        {"memory-thread", nullptr, "Insufficient memory", 3},
        {"variant", nullptr, "Variant type error ", 6},
    };
    for (const Case& c : cases) {
        StartOptions options{.arguments = c.probeMode, .copyName = "quorrel_fatal.exe", .waitForMainWindow = false};
        options.program = c.shell32 ? options.program : "tests\\fatal_probe.exe";
        if (c.shell32)
            options.loadOrders = {{"shell32", c.shell32}};
        options.fileBeside = c.shell32 ? "fakes\\shell32.dll" : "";
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
