#pragma once

// Ends the process at once when a debugger is attached.
void AntiDebuggingCheck();
