#pragma once

#include "models/operations/OperationDescription.h"
#include "models/operations/QueuedOperation.h"
#include "models/undo/FileChange.h"

#include <QCoroTask>

#include <optional>

namespace quillmere {

class AppState;
class FileSystemService;

// Takes back the last operation of the application state's undo history, or does again
// the last one taken back. Either is queued like any file operation (progress, cancel) and,
// when its turn comes, first checks that every item is as the operation left it
// (UndoCheck): if not, nothing is touched and UndoRefused says what changed, and the entry
// leaves the history, since it can no longer be taken back as it was.
//
// The changes run in groups through the service's own multi-item operations (a rename set
// through the two-phase batch rename, moves, trashes, restores), each of which rolls itself
// back; when a later group fails, the groups before it are taken back too, and the entry
// stays in the history. The follow-up is that of the operations themselves: locations
// remapped in settings and tabs, removed ones forgotten, the trash's viewers told, the
// active tab listed again.
class UndoRunner final {
public:
    UndoRunner(AppState& appState, FileSystemService& fileSystemService);

    // What undo and redo would take back or do again, if anything.
    std::optional<OperationDescription> nextUndo() const;
    std::optional<OperationDescription> nextRedo() const;

    // Return the description of what was taken back or done again; none when there was
    // nothing to do. Throw UndoRefused or the service's error (after the queue was told).
    QCoro::Task<std::optional<OperationDescription>> undo(QueuedOperationObserver observer = {});
    QCoro::Task<std::optional<OperationDescription>> redo(QueuedOperationObserver observer = {});

private:
    enum class Direction { undo, redo };
    QCoro::Task<std::optional<OperationDescription>> run(Direction direction,
                                                         QueuedOperationObserver observer);
    // Runs the changes in order and returns them as done (trash places and states filled in).
    QCoro::Task<ChangeSet> apply(ChangeSet plan, std::shared_ptr<OperationControl> control);
    QCoro::Task<QList<FileChange>> applyGroup(QList<FileChange> group,
                                              std::shared_ptr<OperationControl> control);
    void followUp(const ChangeSet& done);

    AppState& m_appState;
    FileSystemService& m_fileSystemService;
};

} // namespace quillmere
