#pragma once

#include "models/operations/TrashedPlace.h"

#include <QList>
#include <QStringList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;
class OperationJournal;

// Moves items to the trash one after another. When one fails, the items already
// trashed are brought back in reverse order; throws DeleteError. A cancel asked for on
// the control is taken before the next item and rolls back the same way. Returns where
// each item went.
namespace TrashOperation {

QList<TrashedPlace> run(FilePrimitives& primitives, const QStringList& paths,
                        OperationControl* control = nullptr, OperationJournal* journal = nullptr);

} // namespace TrashOperation

} // namespace quillmere
