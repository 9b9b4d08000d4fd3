#include "models/undo/UndoRunner.h"

#include "models/operations/OperationText.h"
#include "models/operations/OperationTurn.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "models/undo/UndoCheck.h"
#include "services/desktop/Logger.h"
#include "services/filesystem/FileSystemService.h"

#include <QSet>

#include <exception>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

using Kind = FileChange::Kind;

QString refusalText(const UndoRefusal& refusal, const QString& operation, bool undo) {
    const char* key = nullptr;
    switch (refusal.reason) {
    case UndoRefusal::Reason::missing:
        key = undo ? QT_TRID_NOOP("undo.refused.missing") : QT_TRID_NOOP("redo.refused.missing");
        break;
    case UndoRefusal::Reason::changed:
        key = undo ? QT_TRID_NOOP("undo.refused.changed") : QT_TRID_NOOP("redo.refused.changed");
        break;
    case UndoRefusal::Reason::taken:
        key = undo ? QT_TRID_NOOP("undo.refused.taken") : QT_TRID_NOOP("redo.refused.taken");
        break;
    }
    QString text = qtTrId(key).arg(operation, FilePath::lastComponent(refusal.path));
    if (refusal.others > 0)
        text += u' ' + qtTrId("undo.refused.others", refusal.others);
    return text + u' ' + qtTrId("undo.refused.nothingChanged");
}

QList<TransferOperation> transfersOf(const QList<FileChange>& group) {
    QList<TransferOperation> operations;
    for (const FileChange& change : group)
        operations.append({change.from, change.to, false});
    return operations;
}

QList<FileChange> changesOf(Kind kind, const QList<PathMapping>& items) {
    QList<FileChange> changes;
    for (const PathMapping& item : items)
        changes.append({kind, item.from, item.to, {}});
    return changes;
}

} // namespace

UndoRunner::UndoRunner(AppState& appState, FileSystemService& fileSystemService)
    : m_appState(appState)
    , m_fileSystemService(fileSystemService) {}

std::optional<OperationDescription> UndoRunner::nextUndo() const {
    const ChangeSet* next = m_appState.undoHistory().nextUndo();
    return next ? std::optional(next->description) : std::nullopt;
}

std::optional<OperationDescription> UndoRunner::nextRedo() const {
    const ChangeSet* next = m_appState.undoHistory().nextRedo();
    return next ? std::optional(next->description) : std::nullopt;
}

QCoro::Task<std::optional<OperationDescription>> UndoRunner::undo(QueuedOperationObserver observer) {
    return run(Direction::undo, std::move(observer));
}

QCoro::Task<std::optional<OperationDescription>> UndoRunner::redo(QueuedOperationObserver observer) {
    return run(Direction::redo, std::move(observer));
}

QCoro::Task<std::optional<OperationDescription>> UndoRunner::run(Direction direction,
                                                                 QueuedOperationObserver observer) {
    const bool undoing = direction == Direction::undo;
    UndoHistory& history = m_appState.undoHistory();
    // Taken at once, so that a second press means the operation before this one.
    std::optional<ChangeSet> taken = undoing ? history.takeUndo() : history.takeRedo();
    if (!taken)
        co_return std::nullopt;
    m_appState.noteUndoHistoryChanged();
    OperationDescription description = taken->description;
    description.direction =
        undoing ? OperationDescription::Direction::undo : OperationDescription::Direction::redo;
    OperationQueue& queue = m_appState.operationQueue();
    QueuePlace place(queue, m_appState.enqueue(description, observer));

    std::exception_ptr failure;
    bool keep = true; // whether the entry goes back into the history when this fails
    ChangeSet done;
    try {
        const bool given = co_await queue.waitForTurn(place.operation());
        if (!given || place.operation()->isCancelRequested())
            throw UndoRefused(qtTrId("undo.cancelled").arg(OperationText::name(taken->description)));
        const QList<std::optional<ItemState>> states =
            co_await m_fileSystemService.itemStates(UndoCheck::pathsToRead(*taken));
        if (const std::optional<UndoRefusal> refusal = UndoCheck::refusal(*taken, states)) {
            keep = false;
            throw UndoRefused(refusalText(*refusal, OperationText::name(taken->description), undoing));
        }
        done = co_await apply(taken->inverse(), place.control());
    } catch (...) {
        failure = std::current_exception();
        place.fail(OperationTurn::failureText());
    }
    if (failure) {
        if (keep) {
            if (undoing)
                history.pushUndo(std::move(*taken));
            else
                history.pushRedo(std::move(*taken));
        }
        m_appState.noteUndoHistoryChanged();
        std::rethrow_exception(failure);
    }
    done.description = taken->description;
    followUp(done);
    if (undoing)
        history.pushRedo(std::move(done));
    else
        history.pushUndo(std::move(done));
    m_appState.noteUndoHistoryChanged();
    place.release();
    co_await m_appState.reloadActiveTab();
    co_return description;
}

QCoro::Task<ChangeSet> UndoRunner::apply(ChangeSet plan, std::shared_ptr<OperationControl> control) {
    ChangeSet done{plan.description, {}};
    std::exception_ptr failure;
    for (qsizetype start = 0; start < plan.changes.size();) {
        qsizetype end = start;
        while (end < plan.changes.size() && plan.changes[end].kind == plan.changes[start].kind)
            ++end;
        try {
            done.changes.append(co_await applyGroup(plan.changes.mid(start, end - start), control));
        } catch (...) {
            failure = std::current_exception();
            break;
        }
        start = end;
    }
    if (failure) {
        // The failed group has put itself back; the groups before it are taken back here.
        if (!done.changes.isEmpty()) {
            try {
                co_await apply(done.inverse(), nullptr);
            } catch (...) {
                QUILLMERE_LOG(logUI(), LogLevel::error,
                              u"Could not take back the first part of an undo or redo: "_s +
                                  OperationTurn::failureText());
            }
        }
        std::rethrow_exception(failure);
    }
    co_await m_appState.readStatesAfter(done);
    co_return done;
}

QCoro::Task<QList<FileChange>> UndoRunner::applyGroup(QList<FileChange> group,
                                                      std::shared_ptr<OperationControl> control) {
    switch (group.first().kind) {
    case Kind::rename: {
        QList<PathMapping> mappings;
        for (const FileChange& change : std::as_const(group))
            mappings.append({change.from, change.to});
        co_await m_fileSystemService.batchRename(mappings, control);
        co_return changesOf(Kind::rename, mappings);
    }
    case Kind::move: {
        const TransferOutcome outcome = co_await m_fileSystemService.moveItems(transfersOf(group), control);
        co_return changesOf(Kind::move, outcome.items);
    }
    case Kind::restore: {
        const TransferOutcome outcome =
            co_await m_fileSystemService.restoreFromTrash(transfersOf(group), control);
        co_return changesOf(Kind::restore, outcome.items);
    }
    case Kind::trash: {
        QStringList paths;
        for (const FileChange& change : std::as_const(group))
            paths.append(change.from);
        const QList<TrashedPlace> places = co_await m_fileSystemService.moveToTrash(paths, control);
        QList<FileChange> changes;
        for (const TrashedPlace& place : places)
            changes.append({Kind::trash, place.original, place.trashed, {}});
        co_return changes;
    }
    case Kind::copy:
    case Kind::create:
        // Taking anything back never copies or creates: the inverse of both is the trash.
        break;
    }
    co_return {};
}

void UndoRunner::followUp(const ChangeSet& done) {
    QList<PathMapping> moved;
    QSet<QString> removed;
    bool trash = false;
    for (const FileChange& change : done.changes) {
        if (change.kind == Kind::move || change.kind == Kind::rename)
            moved.append({FilePath::standardised(change.from), FilePath::standardised(change.to)});
        if (change.kind == Kind::trash)
            removed.insert(FilePath::standardised(change.from));
        trash = trash || change.kind == Kind::trash || change.kind == Kind::restore;
    }
    if (!moved.isEmpty())
        m_appState.remapEverywhere(moved);
    if (!removed.isEmpty())
        m_appState.forgetEverywhere(removed);
    if (trash)
        m_appState.noteTrashChanged();
}

} // namespace quillmere
