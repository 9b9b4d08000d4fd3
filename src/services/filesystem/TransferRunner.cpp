#include "services/filesystem/TransferRunner.h"

#include "models/errors/TransferError.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/FolderAncestry.h"
#include "services/desktop/Logger.h"
#include "services/filesystem/ItemError.h"
#include "services/filesystem/UndoLog.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

enum class Mode { move, copy };

// A moved item is complete without what its new volume would not take, so the move
// stands; but it is not silent about it.
void reportLosses(const TreeCopier::Outcome& outcome, const QString& source) {
    if (!outcome.droppedAnything())
        return;
    QUILLMERE_LOG(logUI(), LogLevel::warn,
                  u"Moved %1 to another volume without %2 extended attribute(s) and %3 owner(s) "
                  u"it does not support"_s.arg(source)
                      .arg(outcome.droppedAttributes)
                      .arg(outcome.droppedOwners));
}

QList<PathMapping> run(FilePrimitives& primitives, const QList<TransferOperation>& operations, Mode mode) {
    // Refused before anything is done: a folder put inside itself would nest copies of
    // itself until the names grow too long.
    for (const TransferOperation& operation : operations) {
        try {
            FolderAncestry::refuseInsideItself(*primitives.calls, operation.source, operation.destination);
        } catch (const PlatformError& error) {
            throw itemError<TransferError>(error, operation.source);
        }
    }
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
                reportLosses(primitives.mover.move(source, destination), source);
                undo.record(
                    [&primitives, source, destination] { primitives.mover.move(destination, source); },
                    source);
                mappings.append({FilePath::standardised(source), FilePath::standardised(destination)});
            } else {
                primitives.copier.copy(source, destination);
                undo.record(
                    [&primitives, destination] {
                        primitives.remover.remove(destination, TreeRemover::Owner::thisProgram);
                    },
                    destination);
            }
        } catch (const PlatformError& error) {
            undo.rollBackAndThrow<TransferError>(error, source);
        } catch (...) {
            undo.rollBack();
            throw;
        }
    }
    return mappings;
}

} // namespace

QList<PathMapping> TransferRunner::move(FilePrimitives& primitives,
                                        const QList<TransferOperation>& operations,
                                        OperationControl* control) {
    (void)control;
    return run(primitives, operations, Mode::move);
}

void TransferRunner::copy(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                          OperationControl* control) {
    (void)control;
    run(primitives, operations, Mode::copy);
}

} // namespace quillmere
