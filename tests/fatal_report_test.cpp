#include "common/fatal_report.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {
constexpr DWORD kChildLimitMs = 20000;
}

TEST(ComposeFatalText, CutsToTheBufferAndAlwaysEndsTheText)
{
    struct Case { FatalErrorCode code; const char* name; size_t size; const char* text; };
    const Case cases[] = {
        {FatalErrorCode::LibraryNotFound, "ATL.DLL", 64, "Library not found  ATL.DLL"},
        {FatalErrorCode::FunctionNotFound, "ShellExecuteA", 64, "Function not found ShellExecuteA"},
        {FatalErrorCode::InsufficientMemory, nullptr, 64, "Insufficient memory"},
        {FatalErrorCode::VariantTypeError, nullptr, 20, "Variant type error "},
        {FatalErrorCode::LibraryNotFound, "ATL.DLL", 23, "Library not found  ATL"},
        {FatalErrorCode::ArrayIndexError, nullptr, 6, "Array"},
        {FatalErrorCode::ResourceNotFound, nullptr, 1, ""},
    };
    for (const Case& c : cases) {
        char buffer[80];
        std::memset(buffer, '#', sizeof buffer);
        ComposeFatalText(c.code, c.name, buffer, c.size);
        EXPECT_STREQ(buffer, c.text) << "size " << c.size;
        EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer, size " << c.size;
    }
    char untouched = '#';
    ComposeFatalText(FatalErrorCode::LibraryNotFound, "x", &untouched, 0);
    EXPECT_EQ(untouched, '#');
}

// Each report is raised for real in a child process; the box is read and
// dismissed as a user would, then the exit code is checked.
TEST(FatalReport, ShowsTheCodesTextThenEndsWithItsExitCode)
{
    struct Case { const char* arguments; const char* text; DWORD exitCode; };
    const Case cases[] = {
        {"library missing_quorrel_part.dll", "Library not found  missing_quorrel_part.dll", 1},
        {"function NoSuchExportHere", "Function not found NoSuchExportHere", 2},
        {"code 2", "Insufficient memory", 3},
        {"code 3", "Array index error  ", 4},
        {"code 4", "Resource not found ", 5},
        {"code 5", "Variant type error ", 6},
        {"memory", "Insufficient memory", 3},
        {"memory-thread", "Insufficient memory", 3},
    };
    for (const Case& c : cases) {
        ChildProcess child = StartProcess(HelperCommand("fatal_probe.exe") + " " + c.arguments);
        ASSERT_NE(child.process, nullptr);
        std::optional<MessageBoxSeen> box = WaitForMessageBox(child.id, kChildLimitMs);
        if (!box) {
            ADD_FAILURE() << "no report for " << c.arguments;
            TerminateProcess(child.process, 255);
            CloseHandle(child.process);
            continue;
        }
        EXPECT_EQ(box->text, c.text) << c.arguments;
        EXPECT_EQ(box->caption, "Quillmarn") << c.arguments;
        EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"}) << c.arguments;
        EXPECT_FALSE(box->hasIcon) << c.arguments;
        EXPECT_EQ(box->owner, nullptr) << c.arguments;
        AnswerMessageBox(box->window, IDOK);
        EXPECT_EQ(WaitForExit(child, kChildLimitMs), c.exitCode) << c.arguments;
        CloseHandle(child.process);
    }
}
