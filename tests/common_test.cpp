#include "common/file_replace.h"
#include "common/nth_field.h"
#include "common/whole_file.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(NthField, SplitsAtEveryExactSeparator)
{
    struct Case { const char* text; int n; const char* field; };
    const Case cases[] = {
        {"a\r\nb\r\n", 1, "a"},     {"a\r\nb\r\n", 2, "b"},   {"a\r\nb\r\n", 3, ""},
        {"a\r\nb", 2, "b"},         {"one line", 1, "one line"}, {"one line", 2, ""},
        {"", 1, ""},                {"", 2, ""},              {"a\nb\n", 1, "a\nb\n"},
        {"\r\n\r\n", 1, ""},        {"\r\n\r\n", 2, ""},      {"a\r\r\nb", 1, "a\r"},
        {"x\r\ny\r\nz\r\n", 3, "z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NthField(c.text, "\r\n", c.n), c.field) << c.text << " field " << c.n;
}

TEST(ReplaceFileContents, PutsNewBytesInPlaceAndLeavesNoTemporaryFile)
{
    std::string folder = MakeScratchFolder("replace");
    PutFile(folder + "out.txt", "old");
    ReplaceOutcome outcome = ReplaceFileContents(folder + "out.txt", std::string("new\0bytes", 9));
    EXPECT_TRUE(outcome.ok) << outcome.failureMessage;
    EXPECT_EQ(FileBytes(folder + "out.txt"), std::string("new\0bytes", 9));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveTree(folder);
}

TEST(ReplaceFileContents, HeldOpenTargetKeepsOldBytesAndNamesTheFile)
{
    std::string folder = MakeScratchFolder("held");
    std::string path = folder + "out.txt";
    PutFile(path, "old bytes");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ReplaceOutcome outcome = ReplaceFileContents(path, "new");
    CloseHandle(held);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.failureMessage.find(path), std::string::npos) << outcome.failureMessage;
    EXPECT_EQ(FileBytes(path), "old bytes");
    RemoveTree(folder);
}
