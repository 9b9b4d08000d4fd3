#pragma once

#include "models/paths/PathMapping.h"

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// Carries a path along a list of moves and renames; the Navigator's paths and the
// folder settings' keys follow a move the same way. The first mapping whose `from` is
// the path itself or one of its ancestors (whole components; "/" is the ancestor of
// every path) applies, and the rest of the path below `from` is kept below `to`.
namespace PathMapper {

std::optional<QString> mapped(QStringView path, const QList<PathMapping>& mappings);

} // namespace PathMapper

} // namespace quillmere
