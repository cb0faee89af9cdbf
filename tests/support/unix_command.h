#pragma once
#include <optional>
#include <string>

// The Linux path of a path on Wine's Z: drive ("Z:\work\x" -> "/work/x").
std::string UnixPath(const std::string& windowsPath);

// Runs a /bin/sh command on the Linux side (Wine starts Unix programs but cannot wait for them, so the exit status
// comes back through a file) and answers its exit status, or nullopt when it did not finish in timeoutMs. The command
// must not contain double quotes.
std::optional<int> RunUnixCommand(const std::string& command, unsigned timeoutMs = 20000);
