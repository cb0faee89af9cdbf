#include "update/version_check.h"

#include "common/app_identity.h"
#include "common/message_box.h"
#include "common/primary_window.h"
#include "update/homepage.h"
#include "update/maker_server.h"

namespace {

bool IsNewer(const std::string& announced)
{
    return !announced.empty() && TextToNumber(announced) > TextToNumber(kAppVersion);
}

std::string PromptText(const std::string& announced)
{
    return "New Version (" + announced +
           ") of the Quorrel was found, do you want to go to the homepage and download the new version?";
}

}  // namespace

void CheckForNewVersion(const std::string& host, unsigned short port, const FetchLimits& limits)
{
    std::string announced = FetchPageValueAt(host, port, VersionPagePath(), VersionMarker(), limits);
    if (!IsNewer(announced))
        return;
    if (ShowMessageBox(PrimaryWindow(), PromptText(announced).c_str(), "Download New Version",
                       MB_YESNO | MB_ICONQUESTION) == IDYES)
        OpenHomepageInOwnApartment();
}

DWORD WINAPI VersionCheck(LPVOID)
{
    CheckForNewVersion(MakerHost(), kMakerPort, FetchLimits{});
    return 0;
}
