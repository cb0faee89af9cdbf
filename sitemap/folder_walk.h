#pragma once
#include <functional>
#include <string>

// One selected page as the walk delivers it.
struct PageEntry {
    std::string fileName;       // as listed, in the bytes of NameBytes
    std::string webPath;        // folder below the page folder, "/"-separated, ending in "/" or empty
    std::string lastWriteDate;  // "yyyy-MM-dd" in UTC, or empty
    std::string address;        // escapeAddress(webAddress + webPath + fileName)
};

using PageSink = std::function<void(const PageEntry&)>;

// Walks pageFolder (ending in "\") breadth first and delivers every entry
// whose name has the htm/html extension, in walk order, with the facts of
// its own listing record. A folder link that leads back to one of its own
// ancestors is not walked again.
void FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver);
