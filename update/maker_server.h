#pragma once
#include <string>

// The maker's web server as the program sees it: one host for the version
// page, the home page and the information page, always on port 80.
inline constexpr unsigned short kMakerPort = 80;

const char* MakerHost();
std::string VersionPagePath();   // "/site/Quillmarn.html"
std::string VersionMarker();     // "QuillmarnVersion"
std::string HomepageAddress();   // the version page with "?appopen"
std::string InfoPageAddress();   // the information page with the identifier and version
