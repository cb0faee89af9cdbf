// The real program driven from outside as a user would; the window frame's record search in this process.
#include "app/picker_request.h"
#include "common/entry_attributes.h"
#include "common/wide_text.h"
#include "frame/window_frame.h"
#include "settings/program_folder.h"
#include "support/quorrel_run.h"
#include "support/test_paths.h"
#include "support/unix_command.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <process.h>

// Types over the page-folder field, presses Browse, moves the dialog's
// selection (TVGN_CHILD, TVGN_PARENT; TVGN_CARET: stays) and presses answer.
static std::string Browse(const QuorrelRun& run, int answer, UINT move = TVGN_CARET)
{
    HWND field = run.Control(kPageFolderFieldId);
    SetFieldText(field, "typed by hand");
    PressButton(run.Control(kBrowseButtonId));
    // The dialog shows once its start folder is selected.
    HWND dialog = WaitForWindow(run.child.id, "Browse for Folder", 10000);
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    EXPECT_TRUE(tree && FindWindowExA(dialog, nullptr, nullptr, "Select Folder") && !GetWindow(dialog, GW_OWNER));
    TreeView_Expand(tree, TreeView_GetSelection(tree), TVE_EXPAND);
    EXPECT_TRUE(TreeView_SelectItem(tree, TreeView_GetNextItem(tree, TreeView_GetSelection(tree), move)));
    PostMessageA(dialog, WM_COMMAND, answer, reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
    WaitUntil([&] { return !IsWindow(dialog) && WindowText(field) != "typed by hand"; }, 10000);
    return WindowText(field);
}

// Waits for the program's message box, checks its caption and owner and answers it with OK; answers its text.
static std::string AnswerBox(const QuorrelRun& run, HWND owner)
{
    MessageBoxSeen box = WaitForMessageBox(run.child.id, 10000).value_or(MessageBoxSeen{});
    EXPECT_TRUE(box.caption == "Quillmarn" && box.owner == owner) << (box.window ? box.text : "no box");
    AnswerMessageBox(box.window, IDOK);
    WaitUntil([&] { return !IsWindow(box.window); }, 5000);
    return box.text;
}

static int handled = 0;

TEST(Settings, TheFileFillsTheFieldsAndClosingWritesThemBackByteForByte)
{
    enum Treatment { AsWritten, AFolder, HeldAtClose, HeldAtStart, GrownPast4GiB };
    // No file, or its bytes; the fields at start, a text typed into the web-address
    // field before closing, and the file after closing (nullptr: the two fields).
    struct Case { const char *label, *file; Treatment treatment; const char *webAddress, *pageFolder, *typed, *after; };
    const char* kept = "http://kept.example\r\nC:\\kept\r\n";
    const Case cases[] = {
        {"no file", nullptr, AsWritten, "http://", "", nullptr, nullptr},
        {"blanks and bytes kept", " a/ \r\n C:\\\xe4 \r\n", AsWritten, " a/ ", " C:\\\xe4 ", nullptr, nullptr},
        {"one line without line end", "http://caf\xe9/", AsWritten, "http://caf\xe9/", "", nullptr, nullptr},
        {"an empty file", "", AsWritten, "", "", nullptr, nullptr},
        {"lone LF and CR are no separators", "a\nb\rc\r\nno end", AsWritten, "a\nb\rc", "no end", nullptr, nullptr},
        {"a third line dropped at close", "a\r\nb\r\nthird\r\n", AsWritten, "a", "b", "typed", nullptr},
        {"a folder of that name", nullptr, AFolder, "http://", "", nullptr, ""},
        {"4 GiB and more", kept, GrownPast4GiB, "http://kept.example", "C:\\kept", nullptr, nullptr},
        {"held at close: reported, kept", kept, HeldAtClose, "http://kept.example", "C:\\kept", "typed", kept},
        {"held at start: kept on an empty close", kept, HeldAtStart, "", "", nullptr, kept},
        {"held at start: a typed text saved", kept, HeldAtStart, "", "", "typed", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HANDLE held = nullptr;
        QuorrelRun run = StartQuorrel("settings", {.prepare = [&](const QuorrelRun& run) {
            if (c.file)
                PutFile(run.SettingsPath(), c.file);
            if (c.treatment == AFolder)
                CreateDirectoryA(run.SettingsPath().c_str(), nullptr);
            if (c.treatment == HeldAtStart)
                held = CreateFileA(run.SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (c.treatment == GrownPast4GiB) {  // 4 GiB and 10 bytes, sparse
                ASSERT_EQ(RunUnixCommand("truncate -s 4294967306 '" + UnixPath(run.SettingsPath()) + "'"), 0);
            }
        }});
        FinishedAtEnd guard{run};
        CloseHandle(held);
        ASSERT_EQ(VisibleTopLevelWindows(run.child.id), (std::vector<HWND>{run.mainWindow, run.infoWindow}));
        EXPECT_EQ(WindowText(run.Control(kWebAddressFieldId)), c.webAddress);
        EXPECT_EQ(WindowText(run.Control(kPageFolderFieldId)), c.pageFolder);
        if (c.typed)
            SetFieldText(run.Control(kWebAddressFieldId), c.typed);
        if (c.treatment == HeldAtClose)
            held = CreateFileA(run.SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        PostMessageA(run.mainWindow, WM_CLOSE, 0, 0);
        if (c.treatment == HeldAtClose || c.treatment == AFolder) {
            std::string text = AnswerBox(run, nullptr);
            CloseHandle(held);
            EXPECT_EQ(text.rfind("Could not write " + run.folder + "\\tellurio.ini:\r\n", 0), 0u) << text;
            EXPECT_EQ(RunUnixCommand("test $(ls '" + UnixPath(run.folder) + "' | wc -l) = 2"), 0) << "a file left";
        }
        EXPECT_EQ(WaitForExit(run.child, 10000), 0u);
        std::string fields = std::string(c.typed ? c.typed : c.webAddress) + "\r\n" + c.pageFolder + "\r\n";
        EXPECT_EQ(FileBytes(run.SettingsPath()), c.after ? c.after : fields);
    }
}

// A program folder whose name the ANSI code page cannot hold: the fields come
// from the file beside the program, and closing saves there without a box.
TEST(Settings, AProgramFolderOutsideTheCodePageKeepsItsFileBesideTheProgram)
{
    QuorrelRun run;
    run.folder = MakeScratchFolder("script");
    FinishedAtEnd guard{run};
    std::filesystem::path folder = std::filesystem::path(run.folder) / L"\u65E5\u672C";
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(TestProgramFolder() + "..\\quorrel_localhost.exe", folder / L"quorrel.exe");
    std::ofstream(folder / L"tellurio.ini", std::ios::binary) << "http://script.example\r\nC:\\pages\r\n";
    std::wstring program = (folder / L"quorrel.exe").wstring(), quoted = L'"' + program + L'"';
    run.child.process = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, program.c_str(), quoted.c_str(), nullptr));
    run.child.id = GetProcessId(run.child.process);
    ASSERT_TRUE(run.mainWindow = WaitForWindow(run.child.id, kMainCaption, 20000));
    EXPECT_EQ(WindowText(run.Control(kPageFolderFieldId)), "C:\\pages");
    SetFieldText(run.Control(kPageFolderFieldId), "C:\\saved");
    EXPECT_EQ(CloseMainWindow(run), 0u) << "closing showed a box";
    std::ifstream saved(folder / L"tellurio.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "http://script.example\r\nC:\\saved\r\n");
}

TEST(ProgramFolder, TakesTheFirstTokenUpToItsLastBackslash)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"  C:\\q\\q.exe x\\y", L"C:\\q\\"}, {L"\"C:\\a b\\q.exe\" x\\", L"C:\\a b\\"},
        {L"\"C:\\a b\\q", L"C:\\a b\\"}, {L"C:/q/q.exe", L""}, {L"", L""}};
    for (auto [commandLine, folder] : cases)
        EXPECT_EQ(ProgramFolder(commandLine), folder) << commandLine;
}

TEST(PickerRequest, ATextIsCutToItsSlotAndUntouchedBlanksAreNoPath)
{
    PickerRequest request;
    SetPickerSlot(request, PickerSlot::Title, std::string(300, 't'));
    EXPECT_EQ(PickerSlotText(request, PickerSlot::StartFolder), "");
    EXPECT_EQ(PickedPathText(BlankPathBuffer()), "");  // as the picker hands it over
}

// Started by its bare name from a folder that is not a drive's root, the
// program keeps its settings at the root of that drive. A stand-in shell32
// in that folder, looked for there first as Windows does for any library that
// is not a known DLL, is never taken: the system's own one browses.
TEST(MainWindow, ABareNameStartsItThenBrowseCreateHideAndClose)
{
    QuorrelRun run;
    run.folder = "C:\\quorrel_bare_" + std::to_string(GetCurrentProcessId()) + "\\";
    run.program = run.folder + "quorrel.exe";
    FinishedAtEnd guard{run};
    std::string folder = run.folder + "pages";
    for (const char* name : {"index.html", "about.htm", "notes.txt", "guide\\start.HTML"})
        PutFile(folder + "\\" + name, "<html></html>\r\n");
    CopyFileA((TestProgramFolder() + "..\\quorrel_localhost.exe").c_str(), run.program.c_str(), 0);
    CopyFileA((TestProgramFolder() + "fakes\\shell32.dll").c_str(), (run.folder + "shell32.dll").c_str(), 0);
    RegSetKeyValueA(HKEY_CURRENT_USER, LoadOrderKey(run.program).c_str(), "shell32", REG_SZ, "native,builtin", 15);
    PutFile("C:\\tellurio.ini", "http://root.example\r\n\r\n");
    SetCurrentDirectoryA(run.folder.c_str());  // where the bare name is found
    run.child = StartProcess("quorrel.exe C:\\x\\y", run.folder);
    SetCurrentDirectoryA(TestProgramFolder().c_str());
    ASSERT_TRUE(run.mainWindow = WaitForWindow(run.child.id, kMainCaption, 20000)) << "the stand-in shell32 was taken";
    run.infoWindow = GetWindow(run.mainWindow, GW_OWNER);
    EXPECT_EQ(WindowText(run.Control(kWebAddressFieldId)), "http://root.example");
    // Resized, the information window keeps its browser 5 pixels off the right edge, 20 above the status bar.
    SetWindowPos(run.infoWindow, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT host, bar;
    GetWindowRect(GetDlgItem(run.infoWindow, kBrowserHostId), &host);
    GetWindowRect(GetDlgItem(run.infoWindow, kStatusBarId), &bar);
    EXPECT_TRUE(host.right + 5 == bar.right && host.bottom + 20 == bar.bottom);
    EXPECT_EQ(Browse(run, IDOK), "C:\\");
    std::string chosen = Browse(run, IDOK, TVGN_CHILD);
    EXPECT_EQ(Browse(run, IDCANCEL), "");
    EXPECT_EQ(Browse(run, IDOK), chosen) << "the dialog did not start at the last choice";
    EXPECT_EQ(Browse(run, IDOK, TVGN_PARENT), "C:\\") << chosen << " is no folder of C:\\";

    SetFieldText(run.Control(kPageFolderFieldId), folder);
    SetFieldText(run.Control(kWebAddressFieldId), "http://www.example.test/");
    PostMessageA(run.infoWindow, WM_CLOSE, 0, 0);
    // Checked, then unchecked: the second run takes the first one's sitemap.html for a page.
    for (const char* summary : {"3 html files is inserted into the sitemap.xml and the sitemap.html file",
                                "4 html files is inserted into the sitemap.xml file"}) {
        PressButton(run.Control(kCreateButtonId));
        EXPECT_EQ(AnswerBox(run, run.infoWindow), summary + ("\r\nin " + folder + "\\ folder"));
        PressButton(run.Control(kHtmlMapCheckBoxId));
    }
    EXPECT_NE(FileBytes(folder + "\\sitemap.xml").find("http://www.example.test/guide/start.HTML"), std::string::npos);
    EXPECT_TRUE(IsWindow(run.infoWindow) && !IsWindowVisible(run.infoWindow));
    EXPECT_EQ(CloseMainWindow(run), 0u);
    EXPECT_EQ(FileBytes("C:\\tellurio.ini"), "http://www.example.test/\r\n" + folder + "\r\n");
    DeleteFileA("C:\\tellurio.ini");
}

// Ended from outside in the middle of a walk: both old maps stay and no other file is left.
TEST(MainWindow, EndedInTheMiddleOfAWalkItLeavesNothingBehind)
{
    QuorrelRun run = StartQuorrel("ended");
    FinishedAtEnd guard{run};
    std::string site = run.folder;  // beside the program, which is no page
    ASSERT_EQ(RunUnixCommand("cd " + UnixPath(site) + " && echo old > sitemap.xml && echo old > sitemap.html && "
                             "for d in $(seq 1000 2999); do mkdir $d && touch $d/1.htm $d/2.htm $d/3.htm; done"), 0);
    SetFieldText(run.Control(kPageFolderFieldId), site);
    PressButton(run.Control(kCreateButtonId));
    ASSERT_TRUE(WaitUntil([&] { return EntryAttributes(WideFromAnsi(site + "~q*")) != 0; }, 10000));
    TerminateProcess(run.child.process, 1);
    WaitForExit(run.child, 10000);
    EXPECT_EQ(FileBytes(site + "sitemap.xml") + FileBytes(site + "sitemap.html"), "old\nold\n") << "not mid-walk";
    EXPECT_EQ(EntryAttributes(WideFromAnsi(site + "~q*")), 0u) << "a temporary file was left";
}

// A window that could not be created still takes its slot; the records after it keep their handlers.
TEST(WindowFrame, RecordsAfterAWindowThatCouldNotBeCreatedGetTheirMessages)
{
    EXPECT_FALSE(CreateRecordedWindow({.className = "NoSuchClass"}).window);
    HWND window = CreateRecordedWindow({.className = "STATIC", .OnClose = [] { ++handled; }}).window;
    HWND button = CreateRecordedWindow({.className = "BUTTON", .style = WS_CHILD, .parent = window,
                                        .OnClick = [] { ++handled; }}).window;
    EXPECT_EQ(AppWindowProcedure(window, WM_COMMAND, GetDlgCtrlID(button), reinterpret_cast<LPARAM>(button)), 0);
    EXPECT_EQ(AppWindowProcedure(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(handled, 2);
}
