#include "support/http_recorder.h"
#include "support/quorrel_run.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

std::string MakePageFolder(const std::string& label)
{
    std::string folder = MakeScratchFolder(label);
    PutFile(folder + "index.html", "<html><body>home</body></html>\r\n");
    PutFile(folder + "about.htm", "<html><body>about</body></html>\r\n");
    PutFile(folder + "notes.txt", "not a page\r\n");
    PutFile(folder + "guide\\start.HTML", "<html><body>start</body></html>\r\n");
    return folder;
}

MessageBoxSeen PressCreateAndReadSummary(const QuorrelRun& run)
{
    PressButton(run.Control(kCreateButtonId));
    std::optional<MessageBoxSeen> box = WaitForMessageBox(run.child.id, 10000);
    EXPECT_TRUE(box) << "no summary shown";
    if (!box)
        return {};
    AnswerMessageBox(box->window, IDOK);
    return *box;
}

BOOL CALLBACK FindTreeView(HWND child, LPARAM data)
{
    if (lstrcmpiA(WindowClass(child).c_str(), WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

BOOL CALLBACK FindTitle(HWND child, LPARAM data)
{
    if (WindowText(child) != "Select Folder")
        return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

struct FolderDialog {
    HWND window = nullptr;
    HWND tree = nullptr;
    HWND title = nullptr;
};

FolderDialog WaitForFolderDialog(DWORD processId)
{
    FolderDialog dialog;
    WaitUntil(
        [&] {
            for (HWND window : VisibleTopLevelWindows(processId)) {
                HWND tree = nullptr;
                EnumChildWindows(window, FindTreeView, reinterpret_cast<LPARAM>(&tree));
                HTREEITEM selected = tree ? TreeView_GetSelection(tree) : nullptr;
                if (selected) {
                    dialog = {window, tree, nullptr};
                    EnumChildWindows(window, FindTitle, reinterpret_cast<LPARAM>(&dialog.title));
                    return true;
                }
            }
            return false;
        },
        10000);
    return dialog;
}

// Presses Browse, lets choose() act on the open dialog, then presses OK or
// Cancel; answers the page-folder field's text once the dialog is gone.
template <typename Choose>
std::string Browse(const QuorrelRun& run, int answer, Choose choose)
{
    SetFieldText(run.Control(kPageFolderFieldId), "typed by hand");
    PressButton(run.Control(kBrowseButtonId));
    FolderDialog dialog = WaitForFolderDialog(run.child.id);
    EXPECT_TRUE(dialog.window) << "no folder dialog";
    if (!dialog.window)
        return "no dialog";
    EXPECT_TRUE(dialog.title) << "the dialog does not show \"Select Folder\"";
    EXPECT_EQ(GetWindow(dialog.window, GW_OWNER), nullptr);
    choose(dialog);
    PostMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog.window, answer)));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog.window); }, 10000));
    std::string text;
    WaitUntil(
        [&] {
            text = WindowText(run.Control(kPageFolderFieldId));
            return text != "typed by hand";
        },
        5000);
    return text;
}

void KeepSelection(const FolderDialog&) {}

// Selects the first folder below the one selected.
void ChooseFirstSubfolder(const FolderDialog& dialog)
{
    HTREEITEM selected = TreeView_GetSelection(dialog.tree);
    TreeView_Expand(dialog.tree, selected, TVE_EXPAND);
    HTREEITEM child = TreeView_GetChild(dialog.tree, selected);
    ASSERT_TRUE(child);
    TreeView_SelectItem(dialog.tree, child);
    ASSERT_TRUE(WaitUntil([&] { return TreeView_GetSelection(dialog.tree) == child; }, 5000));
}

}  // namespace

TEST(Create, ShowsTheSummaryOverTheInformationWindowAndWritesBothMaps)
{
    std::string pages = MakePageFolder("pages");
    QuorrelRun run = StartQuorrel("create");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    SetFieldText(run.Control(kPageFolderFieldId), pages.substr(0, pages.size() - 1));
    SetFieldText(run.Control(kWebAddressFieldId), "http://www.example.test/");

    MessageBoxSeen box = PressCreateAndReadSummary(run);
    EXPECT_EQ(box.caption, "Quillmarn");
    EXPECT_EQ(box.text, "3 html files is inserted into the sitemap.xml and the sitemap.html file\r\nin " + pages +
                            " folder");
    EXPECT_EQ(box.owner, run.infoWindow);
    EXPECT_NE(FileBytes(pages + "sitemap.xml").find("http://www.example.test/guide/start.HTML"), std::string::npos);
    EXPECT_NE(FileBytes(pages + "sitemap.html").find("about.htm"), std::string::npos);
    RemoveTree(pages);
}

TEST(Create, ClearedCheckBoxLeavesTheHtmlMapAloneEvenWithTheInformationWindowHidden)
{
    std::string pages = MakePageFolder("pages");
    PutFile(pages + "sitemap.html", "kept as it was");
    QuorrelRun run = StartQuorrel("create-nohtml");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    PostMessageA(run.infoWindow, WM_CLOSE, 0, 0);
    HWND checkBox = run.Control(kHtmlMapCheckBoxId);
    PressButton(checkBox);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.infoWindow); }, 5000));
    SetFieldText(run.Control(kPageFolderFieldId), pages);
    SetFieldText(run.Control(kWebAddressFieldId), "http://www.example.test");

    MessageBoxSeen box = PressCreateAndReadSummary(run);
    // The old sitemap.html is a page of the folder too.
    EXPECT_EQ(box.text, "4 html files is inserted into the sitemap.xml file\r\nin " + pages + " folder");
    EXPECT_EQ(box.owner, run.infoWindow);
    EXPECT_EQ(FileBytes(pages + "sitemap.html"), "kept as it was");
    EXPECT_NE(FileBytes(pages + "sitemap.xml").find("http://www.example.test/index.html"), std::string::npos);
    RemoveTree(pages);
}

TEST(Browse, StartsAtTheDriveThenAtTheLastChoiceAndCancelEmptiesTheField)
{
    QuorrelRun run = StartQuorrel("browse");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);

    EXPECT_EQ(Browse(run, IDOK, KeepSelection), "C:\\") << "the first dialog did not start at C:\\";
    std::string chosen = Browse(run, IDOK, ChooseFirstSubfolder);
    EXPECT_EQ(chosen.rfind("C:\\", 0), 0u) << chosen;
    EXPECT_GT(chosen.size(), 3u) << chosen;
    DWORD attributes = GetFileAttributesA(chosen.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << chosen;

    EXPECT_EQ(Browse(run, IDCANCEL, KeepSelection), "");
    EXPECT_EQ(Browse(run, IDOK, KeepSelection), chosen) << "the next dialog did not start at the last choice";
}

TEST(Keyboard, TabInAFieldKeepsTheFocus)
{
    QuorrelRun run = StartQuorrel("tab");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);
    HWND field = run.Control(kWebAddressFieldId);
    DWORD thread = GetWindowThreadProcessId(run.mainWindow, nullptr);
    auto focus = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    };
    PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(WaitUntil([&] { return focus() == field; }, 5000)) << "the field never took the focus";

    PostMessageA(field, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageA(field, WM_KEYUP, VK_TAB, 0xC00F0001);
    PostMessageA(field, WM_CHAR, 'z', 0x002C0001);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(field).find('z') != std::string::npos; }, 5000));
    EXPECT_EQ(focus(), field);
}

TEST(Homepage, EachPressHandsTheHomeAddressToTheShell)
{
    std::string recordFolder = MakeScratchFolder("homepage-button");
    RecordingHttpHandler handler(recordFolder);
    QuorrelRun run = StartQuorrel("homepage");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);

    PressButton(run.Control(kHomepageButtonId));
    PressButton(run.Control(kHomepageButtonId));

    const std::string home = "http://127.0.0.1/site/Quillmarn.html?appopen";
    EXPECT_EQ(RecordedOnceSettled(recordFolder, 2, 15000), (std::vector<std::string>{home, home}));
    EXPECT_TRUE(IsWindowVisible(run.mainWindow));
    RemoveTree(recordFolder);
}
