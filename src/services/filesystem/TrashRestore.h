#pragma once

#include "models/operations/TransferOutcome.h"
#include "models/transfer/TransferOperation.h"

#include <QList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;
class OperationJournal;

// Puts trashed items back, one after another, like a move: each operation's source is a
// files/ entry of a trash folder the listing reads (anything else is refused before
// anything changes), its destination the place it goes. Per item: what is in the way goes
// to the trash first when it is to be overwritten, missing folders on the way are made,
// the entry is moved (never replacing; across file systems through a temporary name),
// and its trash record is removed; the directorysizes lines of restored folders are
// dropped at the end.
//
// On a failure or a cancel everything is rolled back in reverse: the record is written
// back exclusively as it was (contents, mode and time), the item goes back to its files/
// name, the folders made are removed while empty. TransferError names items by their
// original names. The journal lets a recovery after a crash leave every item entirely in
// the trash with its record, or entirely in its place without one.
namespace TrashRestore {

TransferOutcome run(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                    OperationControl* control = nullptr, OperationJournal* journal = nullptr);

} // namespace TrashRestore

} // namespace quillmere
