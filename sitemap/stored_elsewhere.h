#pragma once
#include "common/file_replace.h"

#include <windows.h>

#include <string>

// The program has no manifest, so Windows runs it with file virtualization:
// what it writes into a folder it may not change (Program Files, the Windows
// folder, ProgramData) goes into the user's VirtualStore instead, where no
// web server looks, and the write still succeeds.

// Whether the output's temporary file lies in another folder than the one
// its target names; false when either place cannot be told.
bool StoredElsewhere(const Replacement& output);

// Names the page folder, says why nothing is written there and what to do.
std::string StoredElsewhereText(const std::string& pageFolder);

// The one platform call the check makes, for the temporary file and for the
// folder; a test puts its own in place.
extern decltype(&GetFinalPathNameByHandleW) finalPathRequest;
