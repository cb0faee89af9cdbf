// Runs with ATL disabled for this program and its children (see
// tests/CMakeLists.txt).
#include "support/automation_setup.h"
#include "support/window_probe.h"

#include <gtest/gtest.h>

TEST(MissingAtl, AutomationStartEndsWithLibraryReport)
{
    HMODULE atl = LoadLibraryA("ATL.DLL");
    ASSERT_EQ(atl, nullptr) << "ATL is not disabled for this test";
    ChildProcess child = StartProcess(AutomationChildCommand("init"));
    ASSERT_NE(child.process, nullptr);
    std::optional<MessageBoxSeen> box = WaitForMessageBox(child.id, 15000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Library not found  ATL.DLL");
    EXPECT_EQ(box->caption, "Quillmarn");
    EXPECT_EQ(box->owner, nullptr);
    AnswerMessageBox(box->window, IDOK);
    EXPECT_EQ(WaitForExit(child, 10000), 1u);
    CloseHandle(child.process);
}
