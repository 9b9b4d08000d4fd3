#pragma once

#include "models/paths/PathMapping.h"

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// Carries a path along a list of moves and renames. The first mapping whose `from`
// is the path itself or one of its ancestors (whole components) applies; the rest of
// the path below `from` is kept.
namespace PathMapper {

std::optional<QString> mapped(QStringView path, const QList<PathMapping>& mappings);

} // namespace PathMapper

} // namespace quillmere
