#pragma once

#include "models/paths/PathMapping.h"
#include "models/transfer/TransferOperation.h"
#include "platform/TreeCopier.h"

#include <QList>

namespace quillmere {

struct FilePrimitives;

// Runs planned transfers one after another, trashing an existing destination item
// first where it is to be overwritten. On the first failure every completed step is
// undone in reverse order and TransferError names the failed operation's source, or
// the items the rollback could not put back.
class TransferRunner final {
public:
    static QList<PathMapping> move(FilePrimitives& primitives, const QList<TransferOperation>& operations);
    static void copy(FilePrimitives& primitives, const QList<TransferOperation>& operations);

private:
    enum class Mode { move, copy };
    static QList<PathMapping> run(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                                  Mode mode);
    static void reportLosses(const TreeCopier::Outcome& outcome, const QString& source);
};

} // namespace quillmere
