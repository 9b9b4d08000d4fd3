#pragma once

#include <QString>

namespace quillmere {

// One moved location or changed name, as standardised path texts.
struct PathMapping {
    QString from;
    QString to;

    bool operator==(const PathMapping&) const = default;
};

} // namespace quillmere
