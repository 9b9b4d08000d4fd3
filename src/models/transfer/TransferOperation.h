#pragma once

#include <QString>

namespace quillmere {

// One planned copy or move: the item, its full new location, and whether an item
// already at that location goes to the trash first.
struct TransferOperation {
    QString source;
    QString destination;
    bool overwriteExisting = false;

    bool operator==(const TransferOperation&) const = default;
};

} // namespace quillmere
