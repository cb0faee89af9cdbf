#include "update/maker_server.h"

#include "common/app_identity.h"

// The host is a build setting, so a publisher (or a test build) can point
// the program at another server by compiling only this file differently.
const char* MakerHost() { return QUORREL_MAKER_HOST; }

std::string VersionPagePath() { return std::string("/site/") + kAppIdentifier + ".html"; }

std::string VersionMarker() { return std::string(kAppIdentifier) + "Version"; }

std::string HomepageAddress() { return "http://" + std::string(MakerHost()) + VersionPagePath() + "?appopen"; }

std::string InfoPageAddress()
{
    return "http://" + std::string(MakerHost()) + "/site/Information.html?Software=" + kAppIdentifier +
           "&v=" + kAppVersion;
}
