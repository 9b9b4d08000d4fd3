#include "models/tabs/AppState.h"

#include "models/operations/OperationTurn.h"
#include "models/operations/QueuePlace.h"
#include "models/paths/FilePath.h"
#include "models/rename/BatchRenamePlanner.h"
#include "models/transfer/TransferPlanner.h"
#include "services/filesystem/FileSystemService.h"
#include "services/persistence/FolderSettingsStore.h"

#include <QPointer>

namespace quillmere {

using OperationTurn::failureText;
using OperationTurn::takeTurn;

namespace {

QStringList urlsOf(const QList<FileItem>& items) {
    QStringList urls;
    urls.reserve(items.size());
    for (const FileItem& item : items)
        urls.append(item.url);
    return urls;
}

} // namespace

AppState::AppState(NavigatorFactory navigatorFactory, QString homePath,
                   FolderSettingsStore* folderSettingsStore, FileSystemService& fileSystemService,
                   QObject* parent)
    : QObject(parent)
    , m_navigatorFactory(std::move(navigatorFactory))
    , m_homePath(std::move(homePath))
    , m_folderSettingsStore(folderSettingsStore)
    , m_fileSystemService(fileSystemService) {}

AppState::~AppState() = default;

QList<BrowserTab*> AppState::tabs() const {
    QList<BrowserTab*> out;
    out.reserve(qsizetype(m_tabs.size()));
    for (const auto& tab : m_tabs)
        out.append(tab.get());
    return out;
}

BrowserTab* AppState::activeTab() const {
    if (m_activeTabIndex < 0 || m_activeTabIndex >= tabCount())
        return nullptr;
    return m_tabs[size_t(m_activeTabIndex)].get();
}

void AppState::setHelpPanelVisible(bool visible) {
    if (visible == m_isHelpPanelVisible)
        return;
    m_isHelpPanelVisible = visible;
    Q_EMIT isHelpPanelVisibleChanged(visible);
}

void AppState::setActiveTabIndex(qsizetype index) {
    if (index == m_activeTabIndex)
        return;
    m_activeTabIndex = index;
    Q_EMIT activeTabIndexChanged(index);
}

std::unique_ptr<BrowserTab> AppState::makeTab(const QString& folder, QUuid id, BrowserTab::Kind kind) const {
    return std::make_unique<BrowserTab>(id, m_navigatorFactory(folder), kind);
}

void AppState::newTab(const std::optional<QString>& folder) {
    QString target = m_homePath;
    if (BrowserTab* active = activeTab()) {
        active->navigator().clearMarks();
        target = active->navigator().currentPath();
    }
    if (folder)
        target = *folder;
    m_tabs.push_back(makeTab(target, QUuid::createUuid()));
    Q_EMIT tabsChanged();
    setActiveTabIndex(tabCount() - 1);
}

void AppState::showTrash() {
    for (qsizetype index = 0; index < tabCount(); ++index) {
        if (m_tabs[size_t(index)]->isTrash()) {
            selectTab(index);
            return;
        }
    }
    if (BrowserTab* active = activeTab())
        active->navigator().clearMarks();
    m_tabs.push_back(makeTab(m_homePath, QUuid::createUuid(), BrowserTab::Kind::trash));
    Q_EMIT tabsChanged();
    setActiveTabIndex(tabCount() - 1);
}

void AppState::closeTab(qsizetype index) {
    if (index < 0 || index >= tabCount())
        return;
    const qsizetype active = m_activeTabIndex;
    // The tab goes after its signals, so no view keeps a pointer to a deleted navigator.
    std::unique_ptr<BrowserTab> closed = std::move(m_tabs[size_t(index)]);
    m_tabs.erase(m_tabs.begin() + index);
    if (m_tabs.empty()) {
        m_tabs.push_back(makeTab(m_homePath, QUuid::createUuid()));
        m_activeTabIndex = -1; // the fresh tab is a different tab even at the same index
        Q_EMIT tabsChanged();
        setActiveTabIndex(0);
    } else {
        Q_EMIT tabsChanged();
        if (index != active && active < tabCount()) {
            if (index < active)
                setActiveTabIndex(active - 1);
        } else {
            m_activeTabIndex = -1;
            setActiveTabIndex(std::min(active, tabCount() - 1));
        }
    }
    closed.release()->deleteLater();
}

void AppState::selectTab(qsizetype index) {
    if (m_tabs.empty())
        return;
    const qsizetype target = std::clamp<qsizetype>(index, 0, tabCount() - 1);
    if (target == m_activeTabIndex)
        return;
    if (BrowserTab* leaving = activeTab())
        leaving->navigator().clearMarks();
    setActiveTabIndex(target);
}

void AppState::nextTab() {
    if (m_tabs.empty())
        return;
    selectTab((m_activeTabIndex + 1) % tabCount());
}

void AppState::prevTab() {
    if (m_tabs.empty())
        return;
    selectTab((m_activeTabIndex - 1 + tabCount()) % tabCount());
}

Session AppState::makeSession() const {
    Session session;
    session.schemaVersion = Session::currentSchemaVersion;
    session.activeTabIndex = m_activeTabIndex;
    session.helpPanelVisible = m_isHelpPanelVisible;
    for (const auto& tab : m_tabs) {
        const Navigator& navigator = tab->navigator();
        session.tabs.append({tab->id(), navigator.currentPath(), navigator.history(),
                             navigator.historyIndex(), navigator.selectedItemID(), navigator.scrollOffset(),
                             tab->isTrash()});
    }
    return session;
}

std::unique_ptr<BrowserTab> AppState::restoreTab(const TabState& state) const {
    if (state.isTrash)
        return makeTab(m_homePath, state.id, BrowserTab::Kind::trash);
    std::unique_ptr<BrowserTab> tab = makeTab(state.currentPath, state.id);
    tab->navigator().restoreState(state.history, state.historyIndex, state.selectedItem, state.scrollOffset);
    return tab;
}

void AppState::replaceTabs(std::vector<std::unique_ptr<BrowserTab>> tabs, qsizetype activeIndex) {
    std::vector<std::unique_ptr<BrowserTab>> old = std::move(m_tabs);
    m_tabs = std::move(tabs);
    if (m_tabs.empty())
        m_tabs.push_back(makeTab(m_homePath, QUuid::createUuid()));
    m_activeTabIndex = -1;
    Q_EMIT tabsChanged();
    setActiveTabIndex(std::clamp<qsizetype>(activeIndex, 0, tabCount() - 1));
    for (auto& tab : old)
        tab.release()->deleteLater();
}

QCoro::Task<QSet<QString>> AppState::existingNames(QString folder) {
    QSet<QString> names;
    try {
        auto listing = m_fileSystemService.listDirectory(folder, true);
        const QList<FileItem> items = co_await listing;
        names.reserve(items.size());
        for (const FileItem& item : items)
            names.insert(item.name);
    } catch (...) {
        // A destination that cannot be listed has, as far as planning knows, no names.
        names.clear();
    }
    co_return names;
}

QCoro::Task<> AppState::reloadActiveTab() {
    if (BrowserTab* tab = activeTab(); tab && !tab->isTrash())
        co_await tab->navigator().reload();
}

void AppState::remapEverywhere(const QList<PathMapping>& mappings) {
    if (m_folderSettingsStore)
        m_folderSettingsStore->remap(mappings);
    for (const auto& tab : m_tabs)
        tab->navigator().applyPathMappings(mappings);
    if (!mappings.isEmpty())
        Q_EMIT pathsMoved(mappings);
}

void AppState::forgetEverywhere(const QSet<QString>& removed) {
    for (const auto& tab : m_tabs)
        tab->navigator().handleRemovedPaths(removed);
}

QCoro::Task<> AppState::applyMappings(QList<PathMapping> mappings) {
    remapEverywhere(mappings);
    co_await reloadActiveTab();
}

std::optional<QStringList> AppState::markedPaths() const {
    const BrowserTab* tab = activeTab();
    if (!tab)
        return std::nullopt;
    QStringList urls = urlsOf(tab->navigator().markedItems());
    if (urls.isEmpty())
        return std::nullopt;
    return urls;
}

std::shared_ptr<QueuedOperation> AppState::enqueue(OperationDescription description,
                                                   const QueuedOperationObserver& observer) {
    std::shared_ptr<QueuedOperation> operation = m_operationQueue.enqueue(std::move(description));
    if (observer)
        observer(operation);
    return operation;
}

QCoro::Task<> AppState::deleteMarked(QueuedOperationObserver observer) {
    const std::optional<QStringList> urls = markedPaths();
    if (!urls)
        co_return;
    QueuePlace place(m_operationQueue,
                     enqueue({OperationDescription::Kind::trash, urls->size(), {}}, observer));
    QList<TrashedPlace> places;
    try {
        co_await takeTurn<DeleteError>(m_operationQueue, place);
        places = co_await m_fileSystemService.moveToTrash(*urls, place.control());
    } catch (...) {
        place.fail(failureText());
        throw;
    }
    ChangeSet done{{OperationDescription::Kind::trash, urls->size(), {}}, {}};
    for (const TrashedPlace& trashed : std::as_const(places))
        done.changes.append({FileChange::Kind::trash, trashed.original, trashed.trashed, {}});
    co_await recordDone(std::move(done));
    QSet<QString> removed;
    for (const QString& url : *urls)
        removed.insert(FilePath::standardised(url));
    forgetEverywhere(removed);
    place.release();
    noteTrashChanged();
    co_await reloadActiveTab();
}

QCoro::Task<> AppState::moveMarked(QString destination, QList<ConflictResolution> resolutions,
                                   QueuedOperationObserver observer) {
    return transfer(Transfer::move, markedPaths().value_or(QStringList()), std::move(destination),
                    std::move(resolutions), std::move(observer));
}

QCoro::Task<> AppState::copyMarked(QString destination, QList<ConflictResolution> resolutions,
                                   QueuedOperationObserver observer) {
    return transfer(Transfer::copy, markedPaths().value_or(QStringList()), std::move(destination),
                    std::move(resolutions), std::move(observer));
}

QCoro::Task<> AppState::movePaths(QStringList sources, QString destination,
                                  QList<ConflictResolution> resolutions, QueuedOperationObserver observer) {
    return transfer(Transfer::move, std::move(sources), std::move(destination), std::move(resolutions),
                    std::move(observer));
}

QCoro::Task<> AppState::copyPaths(QStringList sources, QString destination,
                                  QList<ConflictResolution> resolutions, QueuedOperationObserver observer) {
    return transfer(Transfer::copy, std::move(sources), std::move(destination), std::move(resolutions),
                    std::move(observer));
}

QCoro::Task<> AppState::transfer(Transfer transfer, QStringList sourceList, QString destination,
                                 QList<ConflictResolution> resolutions, QueuedOperationObserver observer) {
    if (sourceList.isEmpty())
        co_return;
    const std::optional<QStringList> sources = std::move(sourceList);
    const bool move = transfer == Transfer::move;
    using Kind = OperationDescription::Kind;
    const OperationDescription description{move ? Kind::move : Kind::copy, sources->size(),
                                           FilePath::lastComponent(destination)};
    QueuePlace place(m_operationQueue, enqueue(description, observer));
    TransferOutcome outcome;
    try {
        co_await takeTurn<TransferError>(m_operationQueue, place);
        // The destination is read when the turn comes: an operation before this one may
        // have changed what is there.
        const QSet<QString> names = co_await existingNames(destination);
        const TransferPlan plan = planTransfer(*sources, destination, names, resolutions);
        if (move)
            outcome = co_await m_fileSystemService.moveItems(plan.operations, place.control());
        else
            outcome = co_await m_fileSystemService.copyItems(plan.operations, place.control());
    } catch (...) {
        place.fail(failureText());
        throw;
    }
    ChangeSet done{description, {}};
    for (const TrashedPlace& replaced : std::as_const(outcome.replaced))
        done.changes.append({FileChange::Kind::trash, replaced.original, replaced.trashed, {}});
    for (const PathMapping& item : std::as_const(outcome.items))
        done.changes.append({move ? FileChange::Kind::move : FileChange::Kind::copy, item.from, item.to, {}});
    co_await recordDone(std::move(done));
    // Copies leave the sources where they were: nothing to remap.
    if (move)
        remapEverywhere(outcome.items);
    place.release();
    co_await reloadActiveTab();
}

QCoro::Task<> AppState::batchRename(BatchRenameRule rule, QueuedOperationObserver observer) {
    BrowserTab* tab = activeTab();
    if (!tab)
        co_return;
    const QList<FileItem> items = tab->navigator().markedItems();
    if (items.isEmpty())
        co_return;
    const QString folder = tab->navigator().currentPath();
    QueuePlace place(m_operationQueue,
                     enqueue({OperationDescription::Kind::batchRename, items.size(), {}}, observer));
    std::optional<QList<PathMapping>> mappings;
    try {
        co_await takeTurn<BatchRenameError>(m_operationQueue, place);
        const QSet<QString> names = co_await existingNames(folder);
        // A rule the folder no longer allows (it changed since the sheet was filled in)
        // renames nothing.
        mappings = batchRenameMappings(items, rule, names);
        if (!mappings || mappings->isEmpty())
            co_return;
        co_await m_fileSystemService.batchRename(*mappings, place.control());
    } catch (...) {
        place.fail(failureText());
        throw;
    }
    ChangeSet done{{OperationDescription::Kind::batchRename, mappings->size(), {}}, {}};
    for (const PathMapping& mapping : std::as_const(*mappings))
        done.changes.append({FileChange::Kind::rename, mapping.from, mapping.to, {}});
    co_await recordDone(std::move(done));
    remapEverywhere(*mappings);
    place.release();
    co_await reloadActiveTab();
}

QCoro::Task<> AppState::create(QString name, Creation creation) {
    BrowserTab* tab = activeTab();
    if (!tab)
        co_return;
    const QString location = FilePath::appending(tab->navigator().currentPath(), name);
    if (creation == Creation::file)
        co_await m_fileSystemService.createFile(location);
    else
        co_await m_fileSystemService.createFolder(location);
    ChangeSet done;
    done.description = {creation == Creation::file ? OperationDescription::Kind::createFile
                                                   : OperationDescription::Kind::createFolder,
                        1,
                        {},
                        name};
    done.changes.append({FileChange::Kind::create, {}, location, {}});
    co_await recordDone(std::move(done));
    co_await reloadActiveTab();
    if (BrowserTab* shown = activeTab())
        shown->navigator().setSelectedItemID(location);
}

QCoro::Task<> AppState::createFile(QString name) {
    return create(std::move(name), Creation::file);
}

QCoro::Task<> AppState::createFolder(QString name) {
    return create(std::move(name), Creation::folder);
}

QCoro::Task<> AppState::didRename(QString oldPath, QString newPath) {
    const QString from = FilePath::standardised(oldPath);
    const QString to = FilePath::standardised(newPath);
    if (from != to) {
        ChangeSet done;
        done.description = {OperationDescription::Kind::rename, 1, FilePath::lastComponent(to),
                            FilePath::lastComponent(from)};
        done.changes.append({FileChange::Kind::rename, from, to, {}});
        co_await recordDone(std::move(done));
    }
    QList<PathMapping> mappings{{from, to}};
    co_await applyMappings(std::move(mappings));
}

QCoro::Task<> AppState::readStatesAfter(ChangeSet& changes) {
    QStringList places;
    for (const FileChange& change : std::as_const(changes.changes))
        places.append(change.to);
    const QList<std::optional<ItemState>> states = co_await m_fileSystemService.itemStates(places);
    for (qsizetype i = 0; i < changes.changes.size(); ++i)
        changes.changes[i].after = states.value(i);
}

QCoro::Task<> AppState::recordDone(ChangeSet done) {
    if (done.changes.isEmpty())
        co_return;
    co_await readStatesAfter(done);
    m_undoHistory.recordDone(std::move(done));
    Q_EMIT undoHistoryChanged();
}

} // namespace quillmere
