// Child program for the automation tests whose outcome ends the process:
// start-up of the layer alone, and readings of values without a reading.
#include "common/shell_functions.h"
#include "infowin/automation.h"
#include "infowin/info_status.h"

#include <oleauto.h>

#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 100;
    LookUpShellFunctions();
    InitAutomation();
    const char* mode = argv[1];
    // Start-up calls nothing whose result it keeps: the status is still -1.
    if (std::strcmp(mode, "init") == 0)
        return LastStatus == -1 ? 0 : 3;
    VARIANT first = {};
    VARIANT second = {};
    if (std::strcmp(mode, "progress-max-text") == 0) {
        first.vt = VT_I4;
        first.lVal = 50;
        second.vt = VT_BSTR;
        second.bstrVal = SysAllocString(L"200");
        OnProgressChange(&first, &second);
    } else if (std::strcmp(mode, "status-text-object") == 0) {
        first.vt = VT_DISPATCH;
        OnStatusTextChange(&first);
    } else {
        return 100;
    }
    return 0;  // reached only when the value had a reading
}
