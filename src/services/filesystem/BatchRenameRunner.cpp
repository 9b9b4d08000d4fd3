#include "services/filesystem/BatchRenameRunner.h"

#include "models/errors/BatchRenameError.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationRun.h"

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
    OperationRun run(primitives.calls, control, journal);
    JournalRecord record;
    record.kind = JournalRecord::Kind::batchRename;
    for (const PathMapping& mapping : mappings) {
        const FileIdentity identity = primitives.probe.identity(mapping.from).value_or(FileIdentity());
        const QString temporary =
            FilePath::appending(FilePath::parent(mapping.from),
                                ItemRenamer::temporaryName(FilePath::lastComponent(mapping.from)));
        record.items.append({mapping.from, mapping.to, temporary, {}, identity, false});
    }
    if (control)
        control->setTotals(mappings.size(), 0);
    run.begin(record);
    struct Pending {
        QString temporary;
        QString to;
    };
    std::vector<Pending> pending;
    pending.reserve(size_t(mappings.size()));
    QString failing; // the location a failure names: the old name, then the new one
    try {
        for (int index = 0; index < int(mappings.size()); ++index) {
            const PathMapping& mapping = mappings[index];
            failing = mapping.from;
            checkCancelled(control, failing);
            const QString& temporary = record.items[index].temporary;
            primitives.mover.rename(mapping.from, temporary);
            run.undo().record(
                [&primitives, from = mapping.from, temporary] { primitives.mover.rename(temporary, from); },
                mapping.from);
            pending.push_back({temporary, mapping.to});
        }
        run.journal().secondPhase();
        for (size_t index = 0; index < pending.size(); ++index) {
            const Pending& step = pending[index];
            failing = step.to;
            checkCancelled(control, failing);
            primitives.mover.rename(step.temporary, step.to);
            run.undo().record([&primitives, step] { primitives.mover.rename(step.to, step.temporary); },
                              step.to);
            advanceItems(control);
            run.journal().progress(int(index) + 1);
        }
    } catch (const PlatformError& error) {
        run.fail<BatchRenameError>(error, failing);
    } catch (...) {
        run.abandon();
    }
    run.finish();
}

} // namespace quillmere
