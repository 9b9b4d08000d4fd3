#include "services/filesystem/BatchRenameRunner.h"

#include "models/errors/BatchRenameError.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/UndoLog.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <vector>

namespace quillmere {
namespace {

void refuseMovesOutOfFolder(const QList<PathMapping>& mappings) {
    for (const PathMapping& mapping : mappings) {
        const QString newName = FilePath::lastComponent(mapping.to);
        if (!FileName::isUsable(newName) || FilePath::parent(mapping.to) != FilePath::parent(mapping.from)) {
            throw BatchRenameError::failed(
                FilePath::lastComponent(mapping.from),
                QCoreApplication::translate("BatchRenameRunner", "“%1” is not a valid name").arg(newName));
        }
    }
}

} // namespace

void BatchRenameRunner::run(FilePrimitives& primitives, const QList<PathMapping>& mappings,
                            OperationControl* control, OperationJournal* journal) {
    refuseMovesOutOfFolder(mappings);
    OperationJournal none(primitives.calls, {});
    OperationJournal& log = journal ? *journal : none;
    JournalRecord record;
    record.kind = JournalRecord::Kind::batchRename;
    for (const PathMapping& mapping : mappings) {
        struct stat status;
        FileIdentity identity;
        if (primitives.calls->statAt(AT_FDCWD, PathCodec::encode(mapping.from).constData(), &status,
                                     AT_SYMLINK_NOFOLLOW) == 0)
            identity = FileIdentity::of(status);
        const QString temporary =
            FilePath::appending(FilePath::parent(mapping.from),
                                ItemRenamer::temporaryName(FilePath::lastComponent(mapping.from)));
        record.items.append({mapping.from, mapping.to, temporary, {}, identity, false});
    }
    if (control) {
        control->setTotals(mappings.size(), 0);
        control->setPhase(OperationControl::Phase::working);
    }
    log.begin(record);
    struct Pending {
        QString temporary;
        QString to;
    };
    std::vector<Pending> pending;
    pending.reserve(size_t(mappings.size()));
    UndoLog undo;
    QString failing; // the location a failure names: the old name, then the new one
    try {
        for (int index = 0; index < int(mappings.size()); ++index) {
            const PathMapping& mapping = mappings[index];
            failing = mapping.from;
            checkCancelled(control, failing);
            const QString& temporary = record.items[index].temporary;
            primitives.mover.rename(mapping.from, temporary);
            undo.record(
                [&primitives, from = mapping.from, temporary] { primitives.mover.rename(temporary, from); },
                mapping.from);
            pending.push_back({temporary, mapping.to});
        }
        log.secondPhase();
        for (size_t index = 0; index < pending.size(); ++index) {
            const Pending& step = pending[index];
            failing = step.to;
            checkCancelled(control, failing);
            primitives.mover.rename(step.temporary, step.to);
            undo.record([&primitives, step] { primitives.mover.rename(step.to, step.temporary); }, step.to);
            advanceItems(control);
            log.progress(int(index) + 1);
        }
    } catch (const PlatformError& error) {
        const bool cancelled = error.code() == ECANCELED && control && control->isCancelRequested();
        if (control)
            control->setPhase(OperationControl::Phase::rollingBack);
        log.rollingBack();
        BatchRenameError failure = undo.rollBackToError<BatchRenameError>(error, failing, cancelled);
        log.end();
        throw failure;
    } catch (...) {
        log.rollingBack();
        undo.rollBack();
        log.end();
        throw;
    }
    log.end();
    if (control)
        control->setPhase(OperationControl::Phase::finished);
}

} // namespace quillmere
