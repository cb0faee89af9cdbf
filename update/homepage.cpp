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

void OpenHomepageInOwnApartment()
{
    HRESULT entered = shellFunctions.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    OpenHomepage();
    // S_OK and S_FALSE each take one leave; a thread already in another
    // kind of apartment (RPC_E_CHANGED_MODE) keeps it as it is.
    if (SUCCEEDED(entered))
        shellFunctions.coUninitialize();
}
