#pragma once

#include "models/operations/TransferOutcome.h"
#include "models/transfer/TransferOperation.h"
#include "platform/TreeCopier.h"

#include <QList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;
class OperationJournal;

// Runs planned transfers one after another, trashing an existing destination item
// first where it is to be overwritten. On the first failure every completed step is
// undone in reverse order and TransferError names the failed operation's source, or
// the items the rollback could not put back.
//
// A copy is made under a temporary name beside its destination and renamed into place
// when complete; so is the copy of a move to another file system. The control, when
// given, gets the totals of a quick scan first and then the progress; a cancel it asks
// for rolls back like a failure and ends in TransferError's cancelled case. The journal
// keeps the plan and the events a recovery after a crash needs. The outcome names each
// item's new location (a copy's, for a copy) and where the items overwritten went.
namespace TransferRunner {

TransferOutcome move(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                     OperationControl* control = nullptr, OperationJournal* journal = nullptr);
TransferOutcome copy(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                     OperationControl* control = nullptr, OperationJournal* journal = nullptr);

} // namespace TransferRunner

} // namespace quillmere
