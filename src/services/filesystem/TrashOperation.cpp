#include "services/filesystem/TrashOperation.h"

#include "models/errors/DeleteError.h"
#include "platform/FilePrimitives.h"
#include "services/filesystem/UndoLog.h"

namespace quillmere {

void TrashOperation::run(FilePrimitives& primitives, const QStringList& paths, OperationControl* control) {
    (void)control;
    UndoLog undo;
    for (const QString& path : paths) {
        try {
            const QString trashed = primitives.trash.trash(path);
            undo.record([&primitives, trashed, path] { primitives.trash.restore(trashed, path); }, path);
        } catch (const PlatformError& error) {
            undo.rollBackAndThrow<DeleteError>(error, path);
        } catch (...) {
            undo.rollBack();
            throw;
        }
    }
}

} // namespace quillmere
