#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quillmere {

// What start-up found of an operation the previous run did not live to finish, and
// what it made of it. Items are single names, never paths.
struct RecoveredOperation {
    enum class Kind { trash, move, copy, batchRename, restore };

    Kind kind = Kind::copy;
    int total = 0;         // items the operation had planned
    int completed = 0;     // items that now stand as the operation left them done
    int restored = 0;      // items put back as they were before it
    QStringList undecided; // items changed since, left exactly as found

    bool operator==(const RecoveredOperation&) const = default;
};

using RecoveryReport = QList<RecoveredOperation>;

} // namespace quillmere
