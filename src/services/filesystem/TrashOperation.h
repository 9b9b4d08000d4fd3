#pragma once

#include <QStringList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;

// Moves items to the trash one after another. When one fails, the items already
// trashed are brought back in reverse order; throws DeleteError.
namespace TrashOperation {

void run(FilePrimitives& primitives, const QStringList& paths, OperationControl* control = nullptr);

} // namespace TrashOperation

} // namespace quillmere
