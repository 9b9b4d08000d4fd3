#pragma once

#include <QString>

namespace quillmere {

// What a queued file operation is about, in the terms the user is shown: its kind, how
// many entries it takes, and for move and copy the name of the folder they go to.
struct OperationDescription {
    enum class Kind { trash, move, copy, batchRename, restore, deleteForGood, emptyTrash };

    Kind kind = Kind::copy;
    qsizetype itemCount = 0; // none for emptyTrash, which takes whatever is there
    QString destinationName; // move and copy only; as the file system has it

    bool operator==(const OperationDescription&) const = default;
};

} // namespace quillmere
