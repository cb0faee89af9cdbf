#include "support/unix_command.h"

#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <windows.h>

#include <algorithm>

std::string UnixPath(const std::string& windowsPath)
{
    std::string path = windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::optional<int> RunUnixCommand(const std::string& command, unsigned timeoutMs)
{
    std::string folder = MakeScratchFolder("unix");
    std::string status = folder + "status";
    ChildProcess shell = StartProcess("/bin/sh -c \"" + command + "; echo $? > " + UnixPath(status) + ".part; mv " +
                                      UnixPath(status) + ".part " + UnixPath(status) + "\"");
    CloseHandle(shell.process);
    std::optional<int> result;
    if (WaitUntil([&] { return GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
        result = std::stoi(FileBytes(status));
    RemoveTree(folder);
    return result;
}
