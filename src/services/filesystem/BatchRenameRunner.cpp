#include "services/filesystem/BatchRenameRunner.h"

#include "models/errors/BatchRenameError.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/UndoLog.h"

#include <QCoreApplication>

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
                            OperationControl* control) {
    (void)control;
    refuseMovesOutOfFolder(mappings);
    struct Pending {
        QString temporary;
        QString to;
    };
    std::vector<Pending> pending;
    pending.reserve(size_t(mappings.size()));
    UndoLog undo;
    QString failing; // the location a failure names: the old name, then the new one
    try {
        for (const PathMapping& mapping : mappings) {
            failing = mapping.from;
            const QString temporary =
                FilePath::appending(FilePath::parent(mapping.from),
                                    ItemRenamer::temporaryName(FilePath::lastComponent(mapping.from)));
            primitives.mover.rename(mapping.from, temporary);
            undo.record(
                [&primitives, from = mapping.from, temporary] { primitives.mover.rename(temporary, from); },
                mapping.from);
            pending.push_back({temporary, mapping.to});
        }
        for (const Pending& step : pending) {
            failing = step.to;
            primitives.mover.rename(step.temporary, step.to);
            undo.record([&primitives, step] { primitives.mover.rename(step.to, step.temporary); }, step.to);
        }
    } catch (const PlatformError& error) {
        undo.rollBackAndThrow<BatchRenameError>(error, failing);
    } catch (...) {
        undo.rollBack();
        throw;
    }
}

} // namespace quillmere
