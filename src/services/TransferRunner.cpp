#include "TransferRunner.h"

#include "ItemErrorRule.h"
#include "UndoLog.h"
#include "models/FilePath.h"
#include "models/TransferError.h"
#include "platform/FilePrimitives.h"

namespace quillmere {

QList<PathMapping> TransferRunner::move(FilePrimitives& primitives,
                                        const QList<TransferOperation>& operations) {
    return run(primitives, operations, Mode::move);
}

void TransferRunner::copy(FilePrimitives& primitives, const QList<TransferOperation>& operations) {
    run(primitives, operations, Mode::copy);
}

QList<PathMapping> TransferRunner::run(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                                       Mode mode) {
    UndoLog undo;
    QList<PathMapping> mappings;
    for (const TransferOperation& operation : operations) {
        const QString& source = operation.source;
        const QString& destination = operation.destination;
        try {
            if (operation.overwriteExisting) {
                const QString trashed = primitives.trash.trash(destination);
                undo.record(
                    [&primitives, trashed, destination] { primitives.trash.restore(trashed, destination); },
                    destination);
            }
            if (mode == Mode::move) {
                primitives.mover.move(source, destination);
                undo.record(
                    [&primitives, source, destination] { primitives.mover.move(destination, source); },
                    source);
                mappings.append({FilePath::standardised(source), FilePath::standardised(destination)});
            } else {
                primitives.copier.copy(source, destination);
                undo.record([&primitives, destination] { primitives.remover.remove(destination); },
                            destination);
            }
        } catch (const PlatformError& error) {
            const QStringList stranded = undo.rollBack();
            if (!stranded.isEmpty())
                throw TransferError::rollbackFailed(stranded);
            throw itemError<TransferError>(error, source);
        } catch (...) {
            undo.rollBack();
            throw;
        }
    }
    return mappings;
}

} // namespace quillmere
