#pragma once
#include <string>

// The shell functions looked up and the automation layer started, once per
// test program, as start-up does before the information window.
void StartAutomationOnce();

// The command line that starts build\tests\automation_child.exe with mode.
std::string AutomationChildCommand(const char* mode);
