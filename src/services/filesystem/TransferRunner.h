#pragma once

#include "models/paths/PathMapping.h"
#include "models/transfer/TransferOperation.h"
#include "platform/TreeCopier.h"

#include <QList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;

// Runs planned transfers one after another, trashing an existing destination item
// first where it is to be overwritten. On the first failure every completed step is
// undone in reverse order and TransferError names the failed operation's source, or
// the items the rollback could not put back.
namespace TransferRunner {

QList<PathMapping> move(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                        OperationControl* control = nullptr);
void copy(FilePrimitives& primitives, const QList<TransferOperation>& operations,
          OperationControl* control = nullptr);

} // namespace TransferRunner

} // namespace quillmere
