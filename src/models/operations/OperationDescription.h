#pragma once

#include <QString>

namespace quillmere {

// What a file operation is about, in the terms the user is shown: its kind, how many
// entries it takes, for move and copy the name of the folder they go to, and for a rename
// or a creation the item's name. An undo or redo of an operation is described by the
// operation's own description with its direction.
struct OperationDescription {
    enum class Kind {
        trash,
        move,
        copy,
        batchRename,
        restore,
        deleteForGood,
        emptyTrash,
        rename,
        createFile,
        createFolder
    };
    enum class Direction { forward, undo, redo };

    OperationDescription() = default;
    OperationDescription(Kind what, qsizetype count, QString destination = {}, QString item = {})
        : kind(what)
        , itemCount(count)
        , destinationName(std::move(destination))
        , itemName(std::move(item)) {}

    Kind kind = Kind::copy;
    qsizetype itemCount = 0; // none for emptyTrash, which takes whatever is there
    QString destinationName; // move and copy: the folder; rename: the new name; as the file system has it
    QString itemName;        // rename and create: the item's (old) name
    Direction direction = Direction::forward;

    bool operator==(const OperationDescription&) const = default;
};

} // namespace quillmere
