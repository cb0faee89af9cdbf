#include "support/test_paths.h"

#include "support/unix_command.h"

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

std::string TestProgramFolder()
{
    char path[MAX_PATH] = {};
    std::string text(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string SourceFolder()
{
    std::string folder = "Z:" QUORREL_SOURCE_DIR "/";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

std::string MakeScratchFolder(const std::string& label)
{
    static std::atomic<int> counter{0};
    std::string name = TestProgramFolder() + "tmp\\" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(counter++);
    RemoveTree(name + "\\");
    SHCreateDirectoryExA(nullptr, name.c_str(), nullptr);
    return name + "\\";
}

void PutFile(const std::string& path, const std::string& bytes)
{
    SHCreateDirectoryExA(nullptr, path.substr(0, path.find_last_of('\\')).c_str(), nullptr);  // with its parents
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        bool isLink = found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink)
            RemoveTree(path + "\\");
        else if (!DeleteFileA(path.c_str()))
            RemoveDirectoryA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
    // Wine removes a symbolic link to a folder neither as a file nor as a folder; the Linux side can.
    if (!RemoveDirectoryA(folder.c_str()) && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        RunUnixCommand("rm -rf " + UnixPath(folder));
}
