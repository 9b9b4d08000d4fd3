#pragma once

#include "models/operations/TrashedPlace.h"
#include "models/paths/PathMapping.h"

#include <QList>

namespace quillmere {

// What a completed move, copy or restore did: each item's old and new location (for a
// copy, the source and its copy), and where the items it overwrote went in the trash.
struct TransferOutcome {
    QList<PathMapping> items;
    QList<TrashedPlace> replaced;

    bool operator==(const TransferOutcome&) const = default;
};

} // namespace quillmere
