#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace quillmere {

// One tab as the session keeps it. Indices are stored as captured; whoever restores
// the tab deals with values out of range.
struct TabState {
    QUuid id;
    QString currentPath;
    QStringList history; // oldest first
    qint64 historyIndex = -1;
    std::optional<QString> selectedItem;
    double scrollOffset = 0.0;
    bool isTrash = false; // a trash tab; its path fields are those of its unused Navigator

    bool operator==(const TabState&) const = default;
};

} // namespace quillmere
