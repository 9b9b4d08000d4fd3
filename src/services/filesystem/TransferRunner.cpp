#include "services/filesystem/TransferRunner.h"

#include "models/errors/TransferError.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/FolderAncestry.h"
#include "platform/OperationControl.h"
#include "platform/TreeMeasure.h"
#include "services/desktop/Logger.h"
#include "services/filesystem/ItemError.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/UndoLog.h"

#include <fcntl.h>

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

QString temporaryBeside(const QString& location) {
    return FilePath::appending(FilePath::parent(location),
                               ItemRenamer::temporaryName(FilePath::lastComponent(location)));
}

// The plan a journal keeps, and the totals the progress counts towards. A copy, and a
// move that will have to copy because its destination is on another file system, is
// measured item by item and byte by byte; a rename is one item. Without a control nobody
// reads the totals, and the walk that measures is left out: on a tree of small files it
// costs several percent of the copy.
JournalRecord plan(FilePrimitives& primitives, const QList<TransferOperation>& operations, Mode mode,
                   OperationControl* control) {
    JournalRecord record;
    record.kind = mode == Mode::move ? JournalRecord::Kind::move : JournalRecord::Kind::copy;
    TreeMeasure::Totals totals;
    SystemCalls& calls = *primitives.calls;
    for (const TransferOperation& operation : operations) {
        JournalRecord::Item item{operation.source,           operation.destination, {}, {}, {},
                                 operation.overwriteExisting};
        const QByteArray source = PathCodec::encode(operation.source);
        struct stat status, parent;
        const bool known = calls.statAt(AT_FDCWD, source.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
        if (known)
            item.identity = FileIdentity::of(status);
        const bool copies =
            mode == Mode::copy ||
            (known &&
             calls.statAt(AT_FDCWD, PathCodec::encode(FilePath::parent(operation.destination)).constData(),
                          &parent, 0) == 0 &&
             parent.st_dev != status.st_dev);
        if (copies) {
            item.temporary = temporaryBeside(operation.destination);
            if (mode == Mode::move)
                item.returnTemporary = temporaryBeside(operation.source);
            if (control) {
                const TreeMeasure::Totals measured = TreeMeasure::of(calls, source, control);
                totals.items += measured.items;
                totals.bytes += measured.bytes;
            }
        } else {
            totals.items += 1;
        }
        record.items.append(item);
    }
    if (control)
        control->setTotals(totals.items, totals.bytes);
    return record;
}

CopyOptions copyOptions(const QString& temporary, OperationControl* control,
                        std::function<void(const FileIdentity&)> completed) {
    return {temporary.isEmpty() ? QByteArray() : PathCodec::encode(FilePath::lastComponent(temporary)),
            control, std::move(completed)};
}

QList<PathMapping> run(FilePrimitives& primitives, const QList<TransferOperation>& operations, Mode mode,
                       OperationControl* control, OperationJournal& journal) {
    // Refused before anything is done: a folder put inside itself would nest copies of
    // itself until the names grow too long.
    for (const TransferOperation& operation : operations) {
        try {
            FolderAncestry::refuseInsideItself(*primitives.calls, operation.source, operation.destination);
        } catch (const PlatformError& error) {
            throw itemError<TransferError>(error, operation.source);
        }
    }
    JournalRecord record;
    try {
        record = plan(primitives, operations, mode, control);
    } catch (const PlatformError& error) {
        // Only a cancel ends the scan early; nothing has changed yet.
        throw TransferError::cancelled({});
    }
    journal.begin(record);
    if (control)
        control->setPhase(OperationControl::Phase::working);
    UndoLog undo;
    QList<PathMapping> mappings;
    for (int index = 0; index < int(operations.size()); ++index) {
        const TransferOperation& operation = operations[index];
        const JournalRecord::Item& planned = record.items[index];
        const QString& source = operation.source;
        const QString& destination = operation.destination;
        try {
            checkCancelled(control, source);
            if (operation.overwriteExisting) {
                const QString trashed =
                    primitives.trash.trash(destination, [&journal, index](const QString& target) {
                        journal.trashed(index, target);
                    });
                undo.record(
                    [&primitives, trashed, destination] { primitives.trash.restore(trashed, destination); },
                    destination);
            }
            if (mode == Mode::move) {
                const TreeCopier::Outcome outcome = primitives.mover.move(
                    source, destination,
                    copyOptions(planned.temporary, control, [&journal, index](const FileIdentity& copy) {
                        journal.copied(index, copy);
                    }));
                if (outcome.copy.inode == 0)
                    advanceItems(control);
                reportLosses(outcome, source);
                undo.record(
                    [&primitives, &journal, source, destination, index, back = planned.returnTemporary] {
                        primitives.mover.move(
                            destination, source,
                            copyOptions(back, nullptr, [&journal, index](const FileIdentity& copy) {
                                journal.returned(index, copy);
                            }));
                    },
                    source);
                mappings.append({FilePath::standardised(source), FilePath::standardised(destination)});
            } else {
                primitives.copier.copy(source, destination, copyOptions(planned.temporary, control, {}));
                // Taken out of its place in one step first, so that a crash while it is
                // being removed leaves a temporary name the recovery knows, not half a copy.
                undo.record(
                    [&primitives, destination, temporary = planned.temporary] {
                        primitives.mover.rename(destination, temporary);
                        primitives.remover.remove(temporary, TreeRemover::Owner::thisProgram);
                    },
                    destination);
            }
            journal.progress(index + 1);
        } catch (const PlatformError& error) {
            const bool cancelled = error.code() == ECANCELED && control && control->isCancelRequested();
            if (control)
                control->setPhase(OperationControl::Phase::rollingBack);
            journal.rollingBack();
            TransferError failure = undo.rollBackToError<TransferError>(error, source, cancelled);
            journal.end();
            throw failure;
        } catch (...) {
            journal.rollingBack();
            undo.rollBack();
            journal.end();
            throw;
        }
    }
    journal.end();
    if (control)
        control->setPhase(OperationControl::Phase::finished);
    return mappings;
}

} // namespace

QList<PathMapping> TransferRunner::move(FilePrimitives& primitives,
                                        const QList<TransferOperation>& operations, OperationControl* control,
                                        OperationJournal* journal) {
    OperationJournal none(primitives.calls, {});
    return run(primitives, operations, Mode::move, control, journal ? *journal : none);
}

void TransferRunner::copy(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                          OperationControl* control, OperationJournal* journal) {
    OperationJournal none(primitives.calls, {});
    run(primitives, operations, Mode::copy, control, journal ? *journal : none);
}

} // namespace quillmere
