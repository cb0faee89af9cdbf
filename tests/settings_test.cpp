#include "settings/settings_file.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace {

constexpr DWORD kChildLimitMs = 15000;

struct Loaded {
    bool present = false;
    std::string webAddress;
    std::string pageFolder;
};

// A copy of the probe in its own folder, so that the settings file it uses
// lies in that folder.
std::string PlaceProbe(const std::string& folder)
{
    std::string probe = folder + "settings_probe.exe";
    CopyFileA((TestProgramFolder() + "settings_probe.exe").c_str(), probe.c_str(), FALSE);
    return probe;
}

std::optional<DWORD> RunToEnd(const std::string& commandLine, const std::string& currentFolder = {})
{
    ChildProcess child = StartProcess(commandLine, currentFolder);
    std::optional<DWORD> code = WaitForExit(child, kChildLimitMs);
    if (child.process)
        CloseHandle(child.process);
    return code;
}

Loaded ParseProbeOutput(const std::string& out)
{
    size_t split = out.find('\0');
    if (out.empty() || split == std::string::npos)
        return {};
    return {out[0] == '1', out.substr(1, split - 1), out.substr(split + 1)};
}

Loaded LoadWith(const std::string& commandLine, const std::string& outFile, const std::string& currentFolder = {})
{
    EXPECT_EQ(RunToEnd(commandLine + " load \"" + outFile + "\"", currentFolder), 0u);
    return ParseProbeOutput(FileBytes(outFile));
}

void SaveWith(const std::string& commandLine, const std::string& inFile, const std::string& webAddress,
              const std::string& pageFolder, const std::string& currentFolder = {})
{
    PutFile(inFile, webAddress + '\0' + pageFolder);
    EXPECT_EQ(RunToEnd(commandLine + " save \"" + inFile + "\"", currentFolder), 0u);
}

void ExpectLoaded(const Loaded& loaded, bool present, const std::string& webAddress, const std::string& pageFolder,
                  const std::string& label)
{
    EXPECT_EQ(loaded.present, present) << label;
    EXPECT_EQ(loaded.webAddress, webAddress) << label;
    EXPECT_EQ(loaded.pageFolder, pageFolder) << label;
}

bool HasTemporaryFile(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace

TEST(ProgramFolder, TakesTheFirstTokenUpToItsLastBackslash)
{
    struct Case { const char* commandLine; const char* folder; };
    const Case cases[] = {
        {"\"C:\\Program Files\\Q\\quorrel.exe\" arg", "C:\\Program Files\\Q\\"},
        {"   C:\\q\\quorrel.exe x", "C:\\q\\"},
        {"C:\\q\\quorrel.exe", "C:\\q\\"},
        {"quorrel.exe", ""},
        {"\"quorrel.exe\" C:\\x\\y", ""},
        {"C:/q/quorrel.exe", ""},
        {"\"C:\\a b\\q.exe", "C:\\a b\\"},
        {"C:\\a b\\q.exe", "C:\\"},
        {"\\\\server\\share\\q.exe", "\\\\server\\share\\"},
        {"", ""},
        {"    ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramFolder(c.commandLine), c.folder) << c.commandLine;
}

TEST(SettingsFile, LoadsTheFileBesideTheProgramByteForByte)
{
    struct Case {
        const char* label;
        std::optional<std::string> file;  // nullopt: no entry of that name
        bool present;
        const char* webAddress;
        const char* pageFolder;
    };
    const Case cases[] = {
        {"no file", std::nullopt, false, "", ""},
        {"two lines with blanks", "  http://www.site.example/ \r\n C:\\pages\\ \r\n", true,
         "  http://www.site.example/ ", " C:\\pages\\ "},
        {"code page bytes", "http://caf\xe9.example/\r\nC:\\\xe4\xf6\xfc\r\n", true, "http://caf\xe9.example/",
         "C:\\\xe4\xf6\xfc"},
        {"empty file", "", true, "", ""},
        {"one line without line end", "http://one.example", true, "http://one.example", ""},
        {"second line without line end", "a\r\nb", true, "a", "b"},
        {"line feeds alone", "a\nb\n", true, "a\nb\n", ""},
        {"carriage return alone", "a\rb\r\nc", true, "a\rb", "c"},
        {"three lines", "a\r\nb\r\nc\r\n", true, "a", "b"},
        {"two empty lines", "\r\n\r\n", true, "", ""},
    };
    for (const Case& c : cases) {
        std::string folder = MakeScratchFolder("load");
        std::string probe = PlaceProbe(folder);
        if (c.file)
            PutFile(folder + "tellurio.ini", *c.file);
        ExpectLoaded(LoadWith(Quoted(probe), folder + "out.bin"), c.present, c.webAddress, c.pageFolder,
                     c.label);
        RemoveTree(folder);
    }
}

TEST(SettingsFile, AFolderOfThatNameCountsAsAbsent)
{
    std::string folder = MakeScratchFolder("folder");
    std::string probe = PlaceProbe(folder);
    ASSERT_TRUE(CreateDirectoryA((folder + "tellurio.ini").c_str(), nullptr));
    ExpectLoaded(LoadWith(Quoted(probe), folder + "out.bin"), false, "", "", "folder");
    RemoveTree(folder);
}

TEST(SettingsFile, AFileThatCannotBeReadLoadsAsTwoEmptyTexts)
{
    std::string folder = MakeScratchFolder("locked");
    std::string probe = PlaceProbe(folder);
    PutFile(folder + "tellurio.ini", "http://kept.example\r\nC:\\kept\r\n");
    HANDLE held = CreateFileA((folder + "tellurio.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectLoaded(LoadWith(Quoted(probe), folder + "out.bin"), true, "", "", "held open");
    CloseHandle(held);
    EXPECT_EQ(FileBytes(folder + "tellurio.ini"), "http://kept.example\r\nC:\\kept\r\n");
    RemoveTree(folder);
}

TEST(SettingsFile, SavesExactlyTwoLinesAndLoadsThemBack)
{
    struct Case { const char* label; std::optional<std::string> before; const char* webAddress; const char* pageFolder; };
    const Case cases[] = {
        {"no file yet", std::nullopt, "http://www.site.example/", "C:\\pages"},
        {"three lines before", "a\r\nb\r\nc\r\n", "x", "y"},
        {"both empty", "a\r\nb\r\n", "", ""},
        {"blanks kept", std::nullopt, " http://a.example ", "  D:\\site  "},
    };
    for (const Case& c : cases) {
        std::string folder = MakeScratchFolder("save");
        std::string probe = Quoted(PlaceProbe(folder));
        if (c.before)
            PutFile(folder + "tellurio.ini", *c.before);
        SaveWith(probe, folder + "in.bin", c.webAddress, c.pageFolder);
        EXPECT_EQ(FileBytes(folder + "tellurio.ini"), std::string(c.webAddress) + "\r\n" + c.pageFolder + "\r\n")
            << c.label;
        EXPECT_FALSE(HasTemporaryFile(folder)) << c.label;
        ExpectLoaded(LoadWith(probe, folder + "out.bin"), true, c.webAddress, c.pageFolder, c.label);
        RemoveTree(folder);
    }
}

TEST(SettingsFile, AProgramFolderWithSpacesIsFoundThroughTheQuotes)
{
    std::string folder = MakeScratchFolder("spaces");
    std::string programFolder = folder + "Site Tools\\";
    CreateDirectoryA(programFolder.c_str(), nullptr);
    std::string probe = Quoted(PlaceProbe(programFolder));
    PutFile(programFolder + "tellurio.ini", "http://s.example\r\nC:\\s\r\n");
    ExpectLoaded(LoadWith(probe, folder + "out.bin"), true, "http://s.example", "C:\\s", "quoted");
    SaveWith(probe, folder + "in.bin", "http://t.example", "C:\\t");
    EXPECT_EQ(FileBytes(programFolder + "tellurio.ini"), "http://t.example\r\nC:\\t\r\n");
    RemoveTree(folder);
}

// Started by its bare name, the program keeps its settings at the root of the
// current drive; the test's drive C: is the Wine prefix's own.
TEST(SettingsFile, ABareProgramNameUsesTheRootOfTheCurrentDrive)
{
    const std::string rootFile = "C:\\tellurio.ini";
    std::string folder = MakeScratchFolder("bare");
    DeleteFileA(rootFile.c_str());
    PutFile(rootFile, "http://root.example\r\nC:\\root\r\n");
    ExpectLoaded(LoadWith("settings_probe.exe", folder + "out.bin", "C:\\"), true, "http://root.example", "C:\\root",
                 "bare load");
    SaveWith("settings_probe.exe", folder + "in.bin", "http://new.example", "", "C:\\");
    EXPECT_EQ(FileBytes(rootFile), "http://new.example\r\n\r\n");
    DeleteFileA(rootFile.c_str());
    RemoveTree(folder);
}

TEST(SettingsFile, AFailedSaveKeepsTheOldBytesAndIsReported)
{
    std::string folder = MakeScratchFolder("failsave");
    std::string probe = Quoted(PlaceProbe(folder));
    std::string file = folder + "tellurio.ini";
    PutFile(file, "old\r\nbytes\r\n");
    PutFile(folder + "in.bin", std::string("new") + '\0' + "texts");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ChildProcess child = StartProcess(probe + " save \"" + folder + "in.bin\"");
    std::optional<MessageBoxSeen> box = WaitForMessageBox(child.id, kChildLimitMs);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Quillmarn");
    EXPECT_EQ(box->text.rfind("Could not write " + folder + "\\tellurio.ini:\r\n", 0), 0u) << box->text;
    EXPECT_GT(box->text.size(), ("Could not write " + folder + "\\tellurio.ini:\r\n").size()) << "no reason given";
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(box->hasIcon);
    EXPECT_EQ(box->owner, nullptr);
    AnswerMessageBox(box->window, IDOK);
    EXPECT_EQ(WaitForExit(child, kChildLimitMs), 0u);
    CloseHandle(child.process);
    CloseHandle(held);

    EXPECT_EQ(FileBytes(file), "old\r\nbytes\r\n");
    EXPECT_FALSE(HasTemporaryFile(folder));
    RemoveTree(folder);
}
