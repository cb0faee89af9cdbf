// Meets one fatal report as the program would: memory | memory-thread | variant (after the start-up's shell look-ups)
#include "common/fatal_report.h"
#include "common/primary_window.h"
#include "common/shell_functions.h"
#include "infowin/automation.h"
#include "infowin/info_status.h"

#include <string>

char* volatile heldBlocks[256];

// Returns only when the failure hook did not end the process.
DWORD WINAPI ExhaustMemory(LPVOID)
{
    for (auto& block : heldBlocks)
        block = new char[64u << 20];
    return 0;
}

int main(int argc, char** argv)
{
    std::string mode = argc == 2 ? argv[1] : "";
    InstallMemoryFailureHook();
    // A hidden primary window, as the program has; the report still has no owner.
    SetPrimaryWindow(CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    if (mode == "memory")
        ExhaustMemory(nullptr);
    if (mode == "memory-thread")
        WaitForSingleObject(CreateThread(nullptr, 0, ExhaustMemory, nullptr, 0, nullptr), 60000);
    if (mode == "variant") {  // a status text that arrives as an object has no reading as text
        LookUpShellFunctions();
        InitAutomation();
        VARIANT object = {};
        object.vt = VT_DISPATCH;
        OnStatusTextChange(&object);
    }
    return 99;
}
