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
#include "services/filesystem/OperationRun.h"
#include "services/filesystem/TransferSteps.h"

#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
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

// The plan a journal keeps. A copy, and a move that will have to copy because its
// destination is on another file system, is made under a temporary name; its tree is
// measured for the totals. A rename counts as one item.
struct Plan {
    JournalRecord record;
    QList<QByteArray> toMeasure;
    std::int64_t renames = 0;
};

Plan plan(FilePrimitives& primitives, const QList<TransferOperation>& operations, Mode mode) {
    Plan result;
    result.record.kind = mode == Mode::move ? JournalRecord::Kind::move : JournalRecord::Kind::copy;
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
            result.toMeasure.append(source);
        } else {
            result.renames += 1;
        }
        result.record.items.append(item);
    }
    return result;
}

// The walk that gives the progress its totals, on a second thread beside the copy: made
// before it, the walk costs a copy of many small files several percent, beside it nothing
// measurable on a machine with a free core. Until it is done the totals are zero (the
// window shows that it is counting). It stops when the operation ends first; without a
// control nobody reads the totals and no walk is made. A move removes its sources as it
// goes, so a walk beside it could miss what is already gone: a move is measured first.
class TotalsScan final {
public:
    TotalsScan(SystemCalls& calls, const Plan& plan, Mode mode, OperationControl* control) {
        if (!control)
            return;
        if (plan.toMeasure.isEmpty()) {
            control->setTotals(plan.renames, 0);
            return;
        }
        control->setTotals(0, 0);
        const auto walk = [&calls, sources = plan.toMeasure, renames = plan.renames, control,
                           &stop = m_stop] {
            TreeMeasure::Totals totals{renames, 0};
            for (const QByteArray& source : sources) {
                const TreeMeasure::Totals measured = TreeMeasure::of(calls, source, stop);
                totals.items += measured.items;
                totals.bytes += measured.bytes;
            }
            if (!stop.load(std::memory_order_relaxed))
                control->setTotals(totals.items, totals.bytes);
        };
        if (mode == Mode::move)
            walk();
        else
            m_walk = QtConcurrent::run(walk);
    }
    // Waits for the walk to end; after a complete operation its totals are in.
    void finish() { m_walk.waitForFinished(); }
    ~TotalsScan() {
        m_stop.store(true, std::memory_order_relaxed);
        m_walk.waitForFinished();
    }

private:
    std::atomic<bool> m_stop{false};
    QFuture<void> m_walk;
};

using TransferSteps::copyOptions;

TransferOutcome run(FilePrimitives& primitives, const QList<TransferOperation>& operations, Mode mode,
                    OperationControl* control, OperationJournal* journalOrNone) {
    // Refused before anything is done: a folder put inside itself would nest copies of
    // itself until the names grow too long.
    for (const TransferOperation& operation : operations) {
        try {
            FolderAncestry::refuseInsideItself(*primitives.calls, operation.source, operation.destination);
        } catch (const PlatformError& error) {
            throw itemError<TransferError>(error, operation.source);
        }
    }
    const Plan planned = plan(primitives, operations, mode);
    const JournalRecord& record = planned.record;
    OperationRun run(primitives.calls, control, journalOrNone);
    OperationJournal& journal = run.journal();
    UndoLog& undo = run.undo();
    run.begin(record);
    TotalsScan scan(*primitives.calls, planned, mode, control);
    TransferOutcome outcome;
    for (int index = 0; index < int(operations.size()); ++index) {
        const TransferOperation& operation = operations[index];
        const JournalRecord::Item& item = record.items[index];
        const QString& source = operation.source;
        const QString& destination = operation.destination;
        try {
            checkCancelled(control, source);
            if (operation.overwriteExisting)
                outcome.replaced.append(
                    TransferSteps::trashItemInTheWay(primitives.trash, run, index, destination));
            if (mode == Mode::move) {
                const TreeCopier::Outcome moved =
                    TransferSteps::move(primitives, run, index, item, source, destination, source);
                reportLosses(moved, source);
            } else {
                primitives.copier.copy(source, destination, copyOptions(item.temporary, control, {}));
                // Taken out of its place in one step first, so that a crash while it is
                // being removed leaves a temporary name the recovery knows, not half a copy.
                undo.record(
                    [&primitives, destination, temporary = item.temporary] {
                        primitives.mover.rename(destination, temporary);
                        primitives.remover.remove(temporary, TreeRemover::Owner::thisProgram);
                    },
                    destination);
            }
            outcome.items.append({FilePath::standardised(source), FilePath::standardised(destination)});
            journal.progress(index + 1);
        } catch (const PlatformError& error) {
            run.fail<TransferError>(error, source);
        } catch (...) {
            run.abandon();
        }
    }
    scan.finish();
    run.finish();
    return outcome;
}

} // namespace

TransferOutcome TransferRunner::move(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                                     OperationControl* control, OperationJournal* journal) {
    return run(primitives, operations, Mode::move, control, journal);
}

TransferOutcome TransferRunner::copy(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                                     OperationControl* control, OperationJournal* journal) {
    return run(primitives, operations, Mode::copy, control, journal);
}

} // namespace quillmere
