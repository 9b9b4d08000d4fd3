#include "models/trash/TrashActions.h"

#include "models/operations/OperationTurn.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/filesystem/FileSystemService.h"

#include <QSet>

namespace quillmere {
namespace {

using Kind = OperationDescription::Kind;

QStringList originalsOf(const QList<TrashedItem>& items) {
    QStringList paths;
    paths.reserve(items.size());
    for (const TrashedItem& item : items)
        paths.append(item.originalPath);
    return paths;
}

QStringList trashedPathsOf(const QList<TrashedItem>& items) {
    QStringList paths;
    paths.reserve(items.size());
    for (const TrashedItem& item : items)
        paths.append(item.trashedPath);
    return paths;
}

// Whether each item's original place is taken, now or by an earlier item of the list.
QList<bool> takenPlaces(const QList<TrashedItem>& items, const QList<std::optional<ItemState>>& present) {
    QList<bool> taken;
    QSet<QString> claimed;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString place = FilePath::standardised(items[i].originalPath);
        taken.append(present.value(i).has_value() || claimed.contains(place));
        claimed.insert(place);
    }
    return taken;
}

} // namespace

TrashActions::TrashActions(AppState& appState, FileSystemService& fileSystemService)
    : m_appState(appState)
    , m_fileSystemService(fileSystemService) {}

QCoro::Task<QStringList> TrashActions::restoreConflicts(QList<TrashedItem> items) {
    const QList<std::optional<ItemState>> present =
        co_await m_fileSystemService.itemStates(originalsOf(items));
    const QList<bool> taken = takenPlaces(items, present);
    QStringList conflicts;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (taken[i])
            conflicts.append(items[i].originalPath);
    co_return conflicts;
}

QCoro::Task<> TrashActions::restore(QList<TrashedItem> items, QList<ConflictResolution> resolutions,
                                    QueuedOperationObserver observer) {
    if (items.isEmpty())
        co_return;
    QueuePlace place(m_appState.operationQueue(),
                     m_appState.enqueue({Kind::restore, items.size(), {}}, observer));
    TransferOutcome outcome;
    try {
        co_await OperationTurn::takeTurn<TransferError>(m_appState.operationQueue(), place);
        // Read when the turn comes: an operation before this one may have filled a place.
        const QList<std::optional<ItemState>> present =
            co_await m_fileSystemService.itemStates(originalsOf(items));
        const QList<bool> taken = takenPlaces(items, present);
        QList<TransferOperation> operations;
        qsizetype conflict = 0;
        for (qsizetype i = 0; i < items.size(); ++i) {
            const TrashedItem& item = items[i];
            if (!taken[i]) {
                operations.append({item.trashedPath, item.originalPath, false});
                continue;
            }
            const std::optional<ConflictResolution> answer =
                conflict < resolutions.size() ? std::optional(resolutions[conflict]) : std::nullopt;
            ++conflict;
            if (!answer || answer->kind == ConflictResolution::Kind::skip)
                continue;
            if (answer->kind == ConflictResolution::Kind::overwrite)
                operations.append({item.trashedPath, item.originalPath, true});
            else
                operations.append({item.trashedPath,
                                   FilePath::appending(FilePath::parent(item.originalPath), answer->newName),
                                   false});
        }
        if (!operations.isEmpty())
            outcome = co_await m_fileSystemService.restoreFromTrash(operations, place.control());
    } catch (...) {
        place.fail(OperationTurn::failureText());
        throw;
    }
    ChangeSet done{{Kind::restore, outcome.items.size(), {}}, {}};
    for (const TrashedPlace& replaced : std::as_const(outcome.replaced))
        done.changes.append({FileChange::Kind::trash, replaced.original, replaced.trashed, {}});
    for (const PathMapping& item : std::as_const(outcome.items))
        done.changes.append({FileChange::Kind::restore, item.from, item.to, {}});
    co_await m_appState.recordDone(std::move(done));
    place.release();
    m_appState.noteTrashChanged();
    co_await m_appState.reloadActiveTab();
}

QCoro::Task<> TrashActions::deleteForGood(QList<TrashedItem> items, QueuedOperationObserver observer) {
    if (items.isEmpty())
        co_return;
    QueuePlace place(m_appState.operationQueue(),
                     m_appState.enqueue({Kind::deleteForGood, items.size(), {}}, observer));
    try {
        co_await OperationTurn::takeTurn<PermanentDeleteError>(m_appState.operationQueue(), place);
        co_await m_fileSystemService.deleteFromTrash(trashedPathsOf(items), place.control());
    } catch (...) {
        place.fail(OperationTurn::failureText());
        m_appState.noteTrashChanged();
        throw;
    }
    place.release();
    m_appState.noteTrashChanged();
}

QCoro::Task<> TrashActions::emptyTrash(QueuedOperationObserver observer) {
    QueuePlace place(m_appState.operationQueue(), m_appState.enqueue({Kind::emptyTrash, 0, {}}, observer));
    try {
        co_await OperationTurn::takeTurn<PermanentDeleteError>(m_appState.operationQueue(), place);
        co_await m_fileSystemService.emptyTrash(place.control());
    } catch (...) {
        place.fail(OperationTurn::failureText());
        m_appState.noteTrashChanged();
        throw;
    }
    place.release();
    m_appState.noteTrashChanged();
}

} // namespace quillmere
