#pragma once

// The program from its first window to its end: start-up in its fixed
// order, the message loop, and the loop's way out with exit code 0.
[[noreturn]] void RunProgram();
