#include "support/automation_setup.h"

#include "common/shell_functions.h"
#include "infowin/automation.h"
#include "support/test_paths.h"

void StartAutomationOnce()
{
    static bool started = false;
    if (started)
        return;
    LookUpShellFunctions();
    InitAutomation();
    started = true;
}

std::string AutomationChildCommand(const char* mode)
{
    std::string line = "\"";
    line += TestProgramFolder();
    line += "automation_child.exe\" ";
    return line + mode;
}
