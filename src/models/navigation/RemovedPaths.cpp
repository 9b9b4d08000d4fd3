#include "models/navigation/RemovedPaths.h"

#include "models/paths/FilePath.h"

namespace quillmere {

RemovedPaths::RemovedPaths(QSet<QString> paths)
    : m_paths(std::move(paths)) {}

bool RemovedPaths::contains(QStringView path) const {
    if (m_paths.isEmpty())
        return false;
    // Looking up each ancestor costs the path's depth, not the number of removed paths.
    QString candidate = FilePath::standardised(path);
    while (true) {
        if (m_paths.contains(candidate))
            return true;
        const QString up = FilePath::parent(candidate);
        if (up == candidate)
            return false;
        candidate = up;
    }
}

std::optional<QString> RemovedPaths::nearestSurvivor(QStringView path) const {
    QString candidate = FilePath::standardised(path);
    while (contains(candidate)) {
        const QString up = FilePath::parent(candidate);
        if (up == candidate)
            return std::nullopt;
        candidate = up;
    }
    return candidate;
}

} // namespace quillmere
