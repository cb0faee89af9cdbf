#pragma once
#include "common/app_version.h"

// The program's version text and its identifier: the caption of its message
// boxes and part of the addresses it uses on the maker's web server.
inline constexpr char kAppVersion[] = QUORREL_VERSION_TEXT;
inline constexpr char kAppIdentifier[] = "Quillmarn";
