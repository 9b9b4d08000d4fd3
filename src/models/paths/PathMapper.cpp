#include "models/paths/PathMapper.h"

#include "models/paths/FilePath.h"

namespace quillmere {

std::optional<QString> PathMapper::mapped(QStringView path, const QList<PathMapping>& mappings) {
    const QString clean = FilePath::standardised(path);
    for (const PathMapping& mapping : mappings) {
        if (!FilePath::isSameOrInside(clean, mapping.from))
            continue;
        QStringView below = QStringView(clean).mid(mapping.from.size());
        if (below.startsWith(u'/'))
            below = below.mid(1);
        return below.isEmpty() ? mapping.to : FilePath::appending(mapping.to, below);
    }
    return std::nullopt;
}

} // namespace quillmere
