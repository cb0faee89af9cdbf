#pragma once
#include <windows.h>

#include <functional>
#include <string>

// One selected page as the walk delivers it.
struct PageEntry {
    std::string lastWriteDate;  // "yyyy-MM-dd" in UTC, or empty
    std::string address;        // the web address, the folders below the page folder and the name, escaped
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
// is not walked again, nor are the system's own folders at a volume's root.
// A folder out of reach (gone, forbidden, a link that leads nowhere) is
// passed over; one whose device or connection fails, or whose listing
// breaks off, stops the walk, since the pages delivered are then not all
// there are.
WalkBreak FolderWalk(const std::string& pageFolder, const std::string& webAddress, const PageSink& deliver);
