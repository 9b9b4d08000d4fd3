#pragma once

#include <QString>

namespace quillmere {

// What a path leads to once symbolic links are followed. Listings describe links
// themselves; this answers for the place a link points at.
class LinkTarget final {
public:
    // True when the path, or the end of its chain of links, is a folder. A broken
    // link or an unreadable path is not a folder.
    static bool isFolder(const QString& path);
};

} // namespace quillmere
