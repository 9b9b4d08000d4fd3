#include "models/navigation/PathMapper.h"

#include "models/paths/FilePath.h"

namespace quillmere {

std::optional<QString> PathMapper::mapped(QStringView path, const QList<PathMapping>& mappings) {
    const QString clean = FilePath::standardised(path);
    for (const PathMapping& mapping : mappings) {
        if (clean == mapping.from)
            return mapping.to;
        // "/" cannot be moved; treating it as a prefix would map every path.
        if (mapping.from != u"/" && FilePath::isSameOrInside(clean, mapping.from))
            return mapping.to + QStringView(clean).mid(mapping.from.size());
    }
    return std::nullopt;
}

} // namespace quillmere
