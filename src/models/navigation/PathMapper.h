#pragma once

#include "models/paths/PathMapping.h"

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// Carries a path along a list of moves and renames. The first mapping whose `from`
// is the path itself or one of its ancestors (whole components) applies; the rest of
// the path below `from` is kept.
class PathMapper final {
public:
    static std::optional<QString> mapped(QStringView path, const QList<PathMapping>& mappings);
};

} // namespace quillmere
