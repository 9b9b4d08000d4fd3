#pragma once

#include <QSet>
#include <QString>

#include <optional>

namespace quillmere {

// Locations that have gone away (moved to the trash), as standardised paths. A path
// is gone when it is one of them or lies inside one.
class RemovedPaths final {
public:
    explicit RemovedPaths(QSet<QString> paths);

    bool contains(QStringView path) const;
    // The closest ancestor of a gone path that is still there; nothing when every
    // ancestor is gone too.
    std::optional<QString> nearestSurvivor(QStringView path) const;

private:
    QSet<QString> m_paths;
};

} // namespace quillmere
