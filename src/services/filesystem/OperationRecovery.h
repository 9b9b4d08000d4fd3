#pragma once

#include "models/operations/RecoveryReport.h"

#include <QString>

namespace quillmere {

struct FilePrimitives;

// Brings the operations of a run that died mid-way to an end, from the journals they
// left in the journal folder.
//
// Every item ends entirely before or entirely after its operation: a partial copy under
// its temporary name goes, a copy that was complete in its destination has its source's
// remains removed, an entry of a batch rename waiting under its temporary name takes its
// new name (when the second phase had begun) or its old one, an overwritten item still
// in the trash comes back when its place is free, an item a restore took from the trash
// is either back in the trash with its record or in its place without one. Each item is recognised by its
// device and inode as the journal recorded them; what no longer matches, or cannot be decided, is left
// exactly as found and named. Nothing is followed through a link, and nothing the journal does not name is
// touched. The journals of operations still running in another instance are left to it.
namespace OperationRecovery {

RecoveryReport run(FilePrimitives& primitives, const QString& journalFolder);

} // namespace OperationRecovery

} // namespace quillmere
