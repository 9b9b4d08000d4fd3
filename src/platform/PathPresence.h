#pragma once

#include <QString>

namespace quillmere {

// Whether anything is at a path, following symbolic links, so a link whose target is
// gone counts as missing.
class PathPresence final {
public:
    static bool itemExists(const QString& path);
};

} // namespace quillmere
