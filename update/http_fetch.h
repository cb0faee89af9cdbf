#pragma once
#include <windows.h>

#include <string>

struct FetchLimits {
    DWORD connectWaitMs = 2000;    // each of the two waits after connecting
    DWORD receiveLimitMs = 10000;  // receiving, counted from the request
};

// One HTTP/1.0 GET of path on host, port 80, with the limits above; answers
// the page's value behind marker, or the empty text on any failure.
std::string FetchPageValue(const std::string& host, const std::string& path, const std::string& marker);

// The same against any port and limits.
std::string FetchPageValueAt(const std::string& host, unsigned short port, const std::string& path,
                             const std::string& marker, const FetchLimits& limits);
