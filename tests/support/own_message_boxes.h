#pragma once
#include "tools/driver/program_driver.h"

#include <functional>
#include <vector>

// Runs action on this thread while a second thread reads every message box
// this process shows and answers it with button, so code that shows boxes
// can be run inside the test program. Returns the boxes in the order shown.
std::vector<MessageBoxSeen> AnswerOwnMessageBoxes(const std::function<void()>& action, int button = IDOK);
