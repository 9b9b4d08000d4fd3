#include "services/filesystem/TrashOperation.h"

#include "models/errors/DeleteError.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/UndoLog.h"

#include <fcntl.h>

namespace quillmere {

void TrashOperation::run(FilePrimitives& primitives, const QStringList& paths, OperationControl* control,
                         OperationJournal* journal) {
    OperationJournal none(primitives.calls, {});
    OperationJournal& log = journal ? *journal : none;
    JournalRecord record;
    record.kind = JournalRecord::Kind::trash;
    for (const QString& path : paths) {
        struct stat status;
        FileIdentity identity;
        if (primitives.calls->statAt(AT_FDCWD, PathCodec::encode(path).constData(), &status,
                                     AT_SYMLINK_NOFOLLOW) == 0)
            identity = FileIdentity::of(status);
        record.items.append({path, {}, {}, {}, identity, false});
    }
    if (control) {
        control->setTotals(paths.size(), 0);
        control->setPhase(OperationControl::Phase::working);
    }
    log.begin(record);
    UndoLog undo;
    for (int index = 0; index < int(paths.size()); ++index) {
        const QString& path = paths[index];
        try {
            checkCancelled(control, path);
            const QString trashed = primitives.trash.trash(
                path, [&log, index](const QString& target) { log.trashed(index, target, false); });
            undo.record([&primitives, trashed, path] { primitives.trash.restore(trashed, path); }, path);
            advanceItems(control);
            log.progress(index + 1);
        } catch (const PlatformError& error) {
            const bool cancelled = error.code() == ECANCELED && control && control->isCancelRequested();
            if (control)
                control->setPhase(OperationControl::Phase::rollingBack);
            log.rollingBack();
            DeleteError failure = undo.rollBackToError<DeleteError>(error, path, cancelled);
            log.end();
            throw failure;
        } catch (...) {
            log.rollingBack();
            undo.rollBack();
            log.end();
            throw;
        }
    }
    log.end();
    if (control)
        control->setPhase(OperationControl::Phase::finished);
}

} // namespace quillmere
