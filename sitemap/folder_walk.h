#pragma once
#include <windows.h>

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

// Where a walk broke off: a folder whose listing failed after it had begun.
struct WalkBreak {
    std::wstring folderPath;  // empty when the walk reached its end
    DWORD error = 0;
};

// Walks pageFolder (ending in "\") breadth first and delivers every entry
// whose name has the htm/html extension, in walk order, with the facts of
// its own listing record. A folder that is one of its own ancestors again (a
// link, or an alias that a file server or a mount shows as a plain folder)
// is not walked again. A folder that cannot be listed at all is
// passed over; one whose listing breaks off stops the walk, since the pages
// delivered are then not all there are.
WalkBreak FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver);
