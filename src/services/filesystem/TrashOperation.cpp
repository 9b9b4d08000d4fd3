#include "services/filesystem/TrashOperation.h"

#include "models/errors/DeleteError.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/OperationRun.h"

#include <fcntl.h>

namespace quillmere {

QList<TrashedPlace> TrashOperation::run(FilePrimitives& primitives, const QStringList& paths,
                                        OperationControl* control, OperationJournal* journal) {
    OperationRun run(primitives.calls, control, journal);
    JournalRecord record;
    record.kind = JournalRecord::Kind::trash;
    for (const QString& path : paths)
        record.items.append(
            {path, {}, {}, {}, primitives.probe.identity(path).value_or(FileIdentity()), false});
    if (control)
        control->setTotals(paths.size(), 0);
    run.begin(record);
    QList<TrashedPlace> places;
    for (int index = 0; index < int(paths.size()); ++index) {
        const QString& path = paths[index];
        try {
            checkCancelled(control, path);
            const QString trashed = primitives.trash.trash(
                path, [&run, index](const QString& target) { run.journal().trashed(index, target, false); });
            run.undo().record([&primitives, trashed, path] { primitives.trash.restore(trashed, path); },
                              path);
            places.append({path, trashed});
            advanceItems(control);
            run.journal().progress(index + 1);
        } catch (const PlatformError& error) {
            run.fail<DeleteError>(error, path);
        } catch (...) {
            run.abandon();
        }
    }
    run.finish();
    return places;
}

} // namespace quillmere
