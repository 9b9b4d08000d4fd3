#pragma once

#include "models/operations/OperationQueue.h"
#include "models/rename/BatchRenameRule.h"
#include "models/tabs/BrowserTab.h"
#include "models/tabs/Session.h"
#include "models/transfer/ConflictResolution.h"
#include "models/transfer/TransferPlanner.h"
#include "models/undo/UndoHistory.h"

#include <QCoroTask>
#include <QObject>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillmere {

class FileSystemService;
class FolderSettingsStore;

// The window's root model: the tabs in display order, the active one, whether the
// help panel is shown, and the operations on the active tab's marked entries that
// afterwards bring every tab up to date.
//
// Tab operations keep two promises: there is always at least one tab after
// closeTab, and activeTabIndex always points into the tabs. File operations pass
// the service's typed error to the caller unchanged and change no tab when they
// fail. After every suspension an operation looks up the active tab again, so a
// tab switch made meanwhile is respected.
//
// Trash, move, copy and batch rename take the marked entries at once and then queue
// up: they run one at a time, in the order asked for, each with a control its worker
// reports progress through and honours a cancel on. One cancelled while it waits
// never starts and throws its error's cancelled case. An observer, when given, is
// handed the operation as soon as it is queued.
class AppState final : public QObject {
    Q_OBJECT

public:
    using NavigatorFactory = std::function<std::unique_ptr<Navigator>(const QString& folder)>;

    AppState(NavigatorFactory navigatorFactory, QString homePath, FolderSettingsStore* folderSettingsStore,
             FileSystemService& fileSystemService, QObject* parent = nullptr);
    ~AppState() override;

    QList<BrowserTab*> tabs() const;
    qsizetype tabCount() const { return qsizetype(m_tabs.size()); }
    qsizetype activeTabIndex() const { return m_activeTabIndex; }
    BrowserTab* activeTab() const;
    bool isHelpPanelVisible() const { return m_isHelpPanelVisible; }
    void setHelpPanelVisible(bool visible);
    const QString& homePath() const { return m_homePath; }

    void newTab(const std::optional<QString>& folder = std::nullopt);
    // Makes the trash tab the active one, appending it when there is none.
    void showTrash();
    void closeTab(qsizetype index);
    void selectTab(qsizetype index);
    void nextTab();
    void prevTab();

    Session makeSession() const;
    std::unique_ptr<BrowserTab> restoreTab(const TabState& state) const;
    // Start-up hands over the restored tabs; the index is clamped into them, and no
    // tabs at all gives one fresh tab at the home folder.
    void replaceTabs(std::vector<std::unique_ptr<BrowserTab>> tabs, qsizetype activeIndex);

    QCoro::Task<QSet<QString>> existingNames(QString folder);
    QCoro::Task<> deleteMarked(QueuedOperationObserver observer = {});
    QCoro::Task<> moveMarked(QString destination, QList<ConflictResolution> resolutions,
                             QueuedOperationObserver observer = {});
    QCoro::Task<> copyMarked(QString destination, QList<ConflictResolution> resolutions,
                             QueuedOperationObserver observer = {});
    // The same for given sources (a paste), wherever they are.
    QCoro::Task<> movePaths(QStringList sources, QString destination, QList<ConflictResolution> resolutions,
                            QueuedOperationObserver observer = {});
    QCoro::Task<> copyPaths(QStringList sources, QString destination, QList<ConflictResolution> resolutions,
                            QueuedOperationObserver observer = {});
    QCoro::Task<> batchRename(BatchRenameRule rule, QueuedOperationObserver observer = {});
    QCoro::Task<> createFile(QString name);
    QCoro::Task<> createFolder(QString name);
    QCoro::Task<> didRename(QString oldPath, QString newPath);

    OperationQueue& operationQueue() { return m_operationQueue; }
    // Queues an operation, handing it to the observer when there is one.
    std::shared_ptr<QueuedOperation> enqueue(OperationDescription description,
                                             const QueuedOperationObserver& observer);

    // The follow-up of file operations made elsewhere (the trash, undo): folder settings
    // and every tab follow moved locations; tabs leave removed ones; the active tab is
    // listed again.
    void remapEverywhere(const QList<PathMapping>& mappings);
    void forgetEverywhere(const QSet<QString>& removed);
    // Lists the active folder tab again; a trash tab follows trashChanged instead.
    QCoro::Task<> reloadActiveTab();
    // Tells the trash's viewers that its contents changed.
    void noteTrashChanged() { Q_EMIT trashChanged(); }

    // What this session's operations did, for undo and redo. recordDone reads the state each
    // item was left in and then records the operation; callers of queued operations await it
    // before giving up their turn, so no other operation of ours comes between.
    UndoHistory& undoHistory() { return m_undoHistory; }
    QCoro::Task<> recordDone(ChangeSet done);
    // Reads the state each change left its item in (at its `to`).
    QCoro::Task<> readStatesAfter(ChangeSet& changes);
    void noteUndoHistoryChanged() { Q_EMIT undoHistoryChanged(); }

Q_SIGNALS:
    void tabsChanged();
    void activeTabIndexChanged(qsizetype index);
    void isHelpPanelVisibleChanged(bool visible);
    // Something was moved to the trash, restored from it or deleted from it.
    void trashChanged();
    void undoHistoryChanged();
    // Locations moved or renamed by a file operation (for stores that keep paths).
    void pathsMoved(const QList<PathMapping>& mappings);

private:
    std::unique_ptr<BrowserTab> makeTab(const QString& folder, QUuid id,
                                        BrowserTab::Kind kind = BrowserTab::Kind::folder) const;
    void setActiveTabIndex(qsizetype index);
    // remapEverywhere, then the active tab is listed again.
    QCoro::Task<> applyMappings(QList<PathMapping> mappings);
    // The paths of the active tab's marked entries; none without an active tab or marks.
    std::optional<QStringList> markedPaths() const;
    enum class Transfer { move, copy };
    QCoro::Task<> transfer(Transfer transfer, QStringList sources, QString destination,
                           QList<ConflictResolution> resolutions, QueuedOperationObserver observer);
    enum class Creation { file, folder };
    QCoro::Task<> create(QString name, Creation creation);

    NavigatorFactory m_navigatorFactory;
    QString m_homePath;
    FolderSettingsStore* m_folderSettingsStore;
    FileSystemService& m_fileSystemService;
    std::vector<std::unique_ptr<BrowserTab>> m_tabs;
    qsizetype m_activeTabIndex = 0;
    bool m_isHelpPanelVisible = true;
    OperationQueue m_operationQueue;
    UndoHistory m_undoHistory;
};

} // namespace quillmere
