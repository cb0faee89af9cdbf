#include "common/ascii_case.h"
#include "support/quorrel_run.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <set>

// Each mechanism met for real: a copy of the program with a library disabled or a stand-in beside it ("native": Wine
// takes no other; the program looks for libraries in the system folder alone), a probe that takes the stand-in
// shell32 beside it in the program's start-up look-ups, runs out of memory on either thread or meets a value without
// a reading. The box is read and answered.
TEST(FatalReport, ShowsItsTextAloneThenEndsWithItsExitCode)
{
    struct Case { const char* probeMode; const char* library; const char* order; const char* text; DWORD exitCode; };
    const Case cases[] = {
        {"", "shell32", "", "Library not found  shell32.dll", 1},
        {"variant", "shell32", "native", "Function not found SHBrowseForFolder", 2},
        {"", "atl", "native", "Library not found  ATL.DLL", 1},
        {"", "comctl32", "native", "Library not found  comctl32.dll", 1},
        {"memory", nullptr, nullptr, "Insufficient memory", 3},
        {"memory-thread", nullptr, nullptr, "Insufficient memory", 3},
        {"variant", nullptr, nullptr, "Variant type error ", 6},
    };
    for (const Case& c : cases) {
        StartOptions options{.arguments = c.probeMode, .copyName = "quorrel_fatal.exe", .waitForMainWindow = false};
        options.program = *c.probeMode ? "tests\\fatal_probe.exe" : options.program;
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

// Windows takes a known DLL from the system folder alone; any other library the program imports would be looked for
// beside it first.
TEST(ProgramImports, AreOnlyTheSystemsKnownLibraries)
{
    const std::set<std::string> known = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "ws2_32.dll",
        "ole32.dll", "oleaut32.dll", "shell32.dll", "advapi32.dll", "comdlg32.dll", "shlwapi.dll"};
    // Mapped as the loader maps it, with nothing of it run and none of its imports loaded.
    auto* image = reinterpret_cast<const char*>(
        LoadLibraryExA((TestProgramFolder() + "..\\quorrel.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(image);
    auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    std::set<std::string> imported;
    DWORD importAddress = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + importAddress); entry->Name; ++entry)
        imported.insert(LowerAscii(image + entry->Name));
    EXPECT_TRUE(imported.count("kernel32.dll")) << "the import directory was not read";
    for (const std::string& library : imported)
        EXPECT_TRUE(known.count(library)) << library << " is not a known DLL";
}
