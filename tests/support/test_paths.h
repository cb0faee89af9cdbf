#pragma once
#include <string>

// The folder of the running test program (build\tests\), with trailing "\".
std::string TestProgramFolder();

// The repository's own folder as Wine sees it, with trailing "\".
std::string SourceFolder();

// A fresh, empty folder for one test below build\tests\tmp\, with trailing "\"; unique per process and call.
std::string MakeScratchFolder(const std::string& label);

// Creates path (and its parent folders) holding exactly bytes.
void PutFile(const std::string& path, const std::string& bytes);

// The bytes of a file.
std::string FileBytes(const std::string& path);

// Removes a folder tree made by MakeScratchFolder.
void RemoveTree(const std::string& folder);
