#pragma once

#include "models/paths/PathMapping.h"
#include "models/transfer/ConflictResolution.h"
#include "models/transfer/TransferOperation.h"

#include <QList>
#include <QSet>
#include <QStringList>

namespace quillmere {

struct TransferPlan {
    QList<TransferOperation> operations;
    QList<PathMapping> mappings; // one per operation, source to destination, standardised

    bool operator==(const TransferPlan&) const = default;
};

// The sources whose names are already taken in the destination, in source order.
// Names compare exactly, after canonical Unicode normalisation.
QStringList detectConflicts(const QStringList& sources, const QSet<QString>& existingNames);

// Turns sources and the answers for their conflicts into operations. The i-th
// resolution belongs to the i-th conflicting source; a conflicting source without
// a resolution is left out.
TransferPlan planTransfer(const QStringList& sources, const QString& destination,
                          const QSet<QString>& existingNames, const QList<ConflictResolution>& resolutions);

} // namespace quillmere
