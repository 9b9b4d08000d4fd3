#pragma once

#include <QString>

namespace quillmere {

// A mounted drive or share the window offers as a place to go.
struct Volume {
    QString path;  // the mount point
    QString label; // the file system's label, else the mount point's name
    bool isNetwork = false;
    bool operator==(const Volume&) const = default;
};

} // namespace quillmere
