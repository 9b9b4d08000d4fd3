#pragma once

#include "models/paths/PathMapping.h"

#include <QList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;
class OperationJournal;

// Gives several entries of one folder new names in two phases: first every entry
// moves to a temporary name, then every temporary name becomes the new name, so that
// entries may exchange names. On the first failure every completed move is undone in
// reverse order; BatchRenameError then names the entry whose move failed (its old
// name in the first phase, its new name in the second), or the names the rollback
// could not put back, in the order it met them.
//
// A cancel asked for on the control is taken before the next move and rolls back the
// same way; the journal keeps every temporary name with its old and new name.
//
// A mapping that would put an entry into another folder, or give it a name no entry
// can have, is refused before anything moves.
namespace BatchRenameRunner {

void run(FilePrimitives& primitives, const QList<PathMapping>& mappings, OperationControl* control = nullptr,
         OperationJournal* journal = nullptr);

} // namespace BatchRenameRunner

} // namespace quillmere
