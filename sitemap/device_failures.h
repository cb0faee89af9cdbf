#pragma once
#include <windows.h>

// Whether a folder that could not be opened or listed failed because its
// device or its connection failed (a share that dropped, a stick pulled):
// the folder is then not known to be empty or out of reach, and a map
// without it would lose pages that are there.
bool IsDeviceOrConnectionFailure(DWORD error);
