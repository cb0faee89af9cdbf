// Runs with ATL disabled for this program and the programs it starts (see
// tests/CMakeLists.txt).
#include "support/quorrel_run.h"

#include <gtest/gtest.h>

TEST(MissingAtl, StartUpEndsWithTheLibraryReportBeforeAnyWindow)
{
    ASSERT_EQ(LoadLibraryA("ATL.DLL"), nullptr) << "ATL is not disabled for this test";
    StartOptions options;
    options.waitForMainWindow = false;
    QuorrelRun run = StartQuorrel("no_atl", options);
    FinishedAtEnd guard{run};
    std::optional<MessageBoxSeen> box = WaitForMessageBox(run.child.id, 15000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Library not found  ATL.DLL");
    EXPECT_EQ(box->caption, "Quillmarn");
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_EQ(VisibleTopLevelWindows(run.child.id), std::vector<HWND>{box->window});
    AnswerMessageBox(box->window, IDOK);
    EXPECT_EQ(WaitForExit(run.child, 10000), 1u);
}
