#pragma once

#include "models/operations/QueuedOperation.h"
#include "models/transfer/ConflictResolution.h"
#include "models/trash/TrashedItem.h"

#include <QCoroTask>
#include <QList>
#include <QStringList>

namespace quillmere {

class AppState;
class FileSystemService;

// What the trash view does to trashed items: put them back where they were, delete them
// for good, or empty every trash. Each is queued like any other file operation and ends
// with the same follow-up; a failure throws the service's error (TransferError for a
// restore, PermanentDeleteError for the others) after the queue has been told.
class TrashActions final {
public:
    TrashActions(AppState& appState, FileSystemService& fileSystemService);

    // The original paths that are taken now, in item order: by an entry there, or by an
    // item earlier in the list that goes back to the same place. These are the conflicts
    // the conflict sheet asks about.
    QCoro::Task<QStringList> restoreConflicts(QList<TrashedItem> items);
    // Puts the items back at their original paths, missing folders made again. The i-th
    // resolution answers the i-th conflict (as restoreConflicts finds them when the turn
    // comes): skip leaves the item in the trash, overwrite sends what is in the way to the
    // trash first, rename restores it under the new name beside its original place.
    QCoro::Task<> restore(QList<TrashedItem> items, QList<ConflictResolution> resolutions,
                          QueuedOperationObserver observer = {});
    QCoro::Task<> deleteForGood(QList<TrashedItem> items, QueuedOperationObserver observer = {});
    QCoro::Task<> emptyTrash(QueuedOperationObserver observer = {});

private:
    AppState& m_appState;
    FileSystemService& m_fileSystemService;
};

} // namespace quillmere
