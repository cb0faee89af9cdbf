#include "update/homepage.h"

#include "common/shell_functions.h"
#include "update/maker_server.h"

void OpenHomepage()
{
    if (!shellFunctions.shellExecute)
        return;
    std::string address = HomepageAddress();
    shellFunctions.shellExecute(nullptr, "open", address.c_str(), "", "", SW_SHOWNORMAL);
}
