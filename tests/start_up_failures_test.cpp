#include "support/quorrel_run.h"

#include <gtest/gtest.h>

TEST(StartUpLookUps, MissingShellPiecesEndWithTheirReportAndNoOtherWindow)
{
    // The stand-in shell32 lacks what the browser control needs, so where
    // start-up gets as far as the control, the control is disabled too.
    struct Case { std::vector<DllLoadOrder> loadOrders; const char* fileBeside; const char* text; DWORD exitCode; };
    const Case cases[] = {
        {{{"shell32", ""}}, "", "Library not found  shell32.dll", 1},
        {{{"shell32", "native"}}, "fakes\\SHBrowseForFolder\\shell32.dll", "Function not found SHBrowseForFolder", 2},
        {{{"shell32", "native"}, {"ieframe", ""}}, "fakes\\ShellExecuteA\\shell32.dll",
         "Function not found ShellExecuteA", 2},
    };
    int caseNumber = 0;
    for (const Case& c : cases) {
        StartOptions options;
        options.copyName = "quorrel_lookup_" + std::to_string(GetCurrentProcessId()) + "_" +
                           std::to_string(caseNumber++) + ".exe";
        options.loadOrders = c.loadOrders;
        options.fileBeside = c.fileBeside;
        options.waitForMainWindow = false;
        QuorrelRun run = StartQuorrel("lookup", options);
        std::optional<MessageBoxSeen> box = WaitForMessageBox(run.child.id, 10000);
        // The control's creation messages come before the look-up that follows it.
        while (box && box->text.rfind("Creation of Shell.Explorer.1 object failed:", 0) == 0) {
            AnswerMessageBox(box->window, IDOK);
            WaitUntil([&] { return !IsWindow(box->window); }, 5000);
            box = WaitForMessageBox(run.child.id, 10000);
        }
        ASSERT_TRUE(box) << c.text;
        EXPECT_EQ(box->caption, "Quillmarn");
        EXPECT_EQ(box->text, c.text);
        EXPECT_EQ(box->owner, nullptr) << c.text;
        EXPECT_EQ(VisibleTopLevelWindows(run.child.id), std::vector<HWND>{box->window}) << c.text;
        AnswerMessageBox(box->window, IDOK);
        EXPECT_EQ(WaitForExit(run.child, 10000), c.exitCode) << c.text;
        FinishQuorrel(run);
    }
}
