#pragma once

#include "models/operations/ItemState.h"
#include "models/operations/OperationDescription.h"

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// One step a file operation took, in terms that can be taken back:
//  - move: the item went from `from` to `to` (across folders or file systems);
//  - rename: the same within one folder, done with the others of its set in two phases so
//    that names may swap;
//  - trash: the item at `from` went into the trash as `to` (its files/ entry);
//  - restore: the trashed item `from` went back out to `to`;
//  - copy: `to` was made as a copy of `from`;
//  - create: `to` was made, empty.
// `after` is the item at `to` as the step left it, read once the operation had finished.
struct FileChange {
    enum class Kind { move, rename, trash, restore, copy, create };

    Kind kind = Kind::move;
    QString from;
    QString to;
    std::optional<ItemState> after;

    bool operator==(const FileChange&) const = default;
};

// Everything one operation did, in the order it did it, and what the user called it.
struct ChangeSet {
    OperationDescription description;
    QList<FileChange> changes;

    bool operator==(const ChangeSet&) const = default;

    // The changes that take these back, last first. A trash is taken back by a restore and
    // the other way round; a copy or a creation by sending what it made to the trash. The
    // result names no trash places and no states yet: running it fills them in.
    ChangeSet inverse() const;
};

} // namespace quillmere
