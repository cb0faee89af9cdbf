#pragma once

// The program's version text and its identifier: the caption of its message
// boxes and part of the addresses it uses on the maker's web server.
inline constexpr char kAppVersion[] = "2.3";
inline constexpr char kAppIdentifier[] = "Quillmarn";
