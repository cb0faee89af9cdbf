#include "support/browser_proxy.h"
#include "support/local_server.h"
#include "support/quorrel_run.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

namespace {

// The maker's version page as published, announcing the given version.
std::string VersionPage(const std::string& version)
{
    std::string page = FileBytes(SourceFolder() + "maker-site\\site\\Quillmarn.html");
    std::string published = "content=\"2.3\"";
    size_t at = page.find(published);
    if (at != std::string::npos)
        page.replace(at, published.size(), "content=\"" + version + "\"");
    return page;
}

constexpr char kVersionRequest[] = "GET /site/Quillmarn.html HTTP/1.0\r\n\r\n";

}  // namespace

TEST(VersionCheck, NewerVersionOnTheServerShowsThePromptOverTheInformationWindow)
{
    LocalServer server({{{HttpAnswer(VersionPage("2.4"))}}, 0, 80});
    ASSERT_EQ(server.Port(), 80) << "port 80 of 127.0.0.1 could not be taken";
    LocalProxy browserElsewhere(UnusedPort());  // the information page must not take the one connection
    QuorrelRun run = StartQuorrel("version-newer");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);

    std::optional<MessageBoxSeen> prompt = WaitForMessageBox(run.child.id, 15000);
    ASSERT_TRUE(prompt) << "no prompt";
    EXPECT_EQ(prompt->caption, "Download New Version");
    EXPECT_EQ(prompt->text,
              "New Version (2.4) of the Quorrel was found, do you want to go to the homepage and download the new "
              "version?");
    EXPECT_EQ(prompt->owner, run.infoWindow);
    EXPECT_EQ(prompt->buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_TRUE(prompt->hasIcon);
    AnswerMessageBox(prompt->window, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt->window); }, 5000));
    EXPECT_EQ(server.Finish(), kVersionRequest);
    EXPECT_EQ(CloseMainWindow(run), 0u);
}

TEST(VersionCheck, SameVersionOnTheServerShowsNothing)
{
    LocalServer server({{{HttpAnswer(VersionPage("2.3"))}}, 0, 80});
    ASSERT_EQ(server.Port(), 80) << "port 80 of 127.0.0.1 could not be taken";
    LocalProxy browserElsewhere(UnusedPort());  // the information page must not take the one connection
    QuorrelRun run = StartQuorrel("version-same");
    FinishedAtEnd guard{run};
    ASSERT_TRUE(run.mainWindow);

    ASSERT_TRUE(server.WaitUntilServed(15000)) << "the version page was not asked for";
    EXPECT_EQ(server.Finish(), kVersionRequest);
    // The answer is in; a prompt would follow within moments.
    EXPECT_FALSE(WaitForMessageBox(run.child.id, 1500));
    EXPECT_EQ(VisibleTopLevelWindows(run.child.id).size(), 2u);
    EXPECT_EQ(CloseMainWindow(run), 0u);
}
