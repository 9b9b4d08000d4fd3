#include "models/navigation/Navigator.h"

#include "models/listing/FileOrdering.h"
#include "models/navigation/RemovedPaths.h"
#include "models/paths/FilePath.h"
#include "models/paths/PathMapper.h"
#include "services/desktop/FileOpener.h"
#include "services/filesystem/FileSystemService.h"
#include "services/persistence/FolderSettingsStore.h"

#include <QCoroFuture>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <iterator>

namespace quillmere {

struct Navigator::Snapshot {
    QString currentPath;
    QList<FileItem> items;
    std::optional<QString> selectedItemID;
    double scrollOffset;
    bool isSearchActive;
    QString filterQuery;
    QSet<QString> markedItemIDs;
    QStringList history;
    qsizetype historyIndex;
    FolderSettings localSettings;
};

Navigator::Navigator(const QString& initialPath, FileSystemService& fileSystemService,
                     FolderSettingsStore* folderSettingsStore, FileOpener& fileOpener, QObject* parent)
    : QObject(parent)
    , m_fileSystemService(fileSystemService)
    , m_folderSettingsStore(folderSettingsStore)
    , m_fileOpener(fileOpener)
    , m_currentPath(FilePath::standardised(initialPath))
    , m_history(m_currentPath) {
    m_publishedSettings = effectiveSettings();
    // Another tab showing the same folder may change its settings.
    if (m_folderSettingsStore)
        connect(m_folderSettingsStore, &FolderSettingsStore::settingsChanged, this,
                [this] { publishChanges(snapshot()); });
}

Navigator::Snapshot Navigator::snapshot() const {
    return {m_currentPath, m_items,         m_selectedItemID,    m_scrollOffset,    m_isSearchActive,
            m_filterQuery, m_markedItemIDs, m_history.entries(), m_history.index(), m_localSettings};
}

void Navigator::publishChanges(const Snapshot& before) {
    const bool pathChanged = m_currentPath != before.currentPath;
    const bool listingChanged = m_items != before.items;
    const bool filterChanged = m_filterQuery != before.filterQuery;
    if (pathChanged)
        ++m_listingTicket;
    if (listingChanged) {
        m_fuzzyIndex.reset();
        m_positionOfID.reset();
        ++m_listingGeneration;
    }
    if (listingChanged || filterChanged) {
        m_visiblePositions.reset();
        m_rowOfPosition.reset();
    }
    const FolderSettings settings = effectiveSettings();
    const bool settingsChanged = settings != m_publishedSettings;
    m_publishedSettings = settings;

    if (pathChanged)
        Q_EMIT currentPathChanged(m_currentPath);
    if (listingChanged)
        Q_EMIT itemsChanged();
    if (m_selectedItemID != before.selectedItemID)
        Q_EMIT selectedItemIDChanged();
    if (m_scrollOffset != before.scrollOffset)
        Q_EMIT scrollOffsetChanged(m_scrollOffset);
    if (m_isSearchActive != before.isSearchActive)
        Q_EMIT isSearchActiveChanged(m_isSearchActive);
    if (filterChanged)
        Q_EMIT filterQueryChanged(m_filterQuery);
    if (m_markedItemIDs != before.markedItemIDs)
        Q_EMIT markedItemIDsChanged();
    if (m_history.entries() != before.history)
        Q_EMIT historyChanged();
    if (m_history.index() != before.historyIndex)
        Q_EMIT historyIndexChanged(m_history.index());
    if (m_localSettings != before.localSettings)
        Q_EMIT localSettingsChanged();
    if (settingsChanged)
        Q_EMIT effectiveSettingsChanged();
}

bool Navigator::pathsDiffer(const Snapshot& before) const {
    return m_currentPath != before.currentPath || m_history.entries() != before.history ||
           m_selectedItemID != before.selectedItemID || m_markedItemIDs != before.markedItemIDs;
}

void Navigator::setSelectedItemID(const std::optional<QString>& id) {
    const Snapshot before = snapshot();
    m_selectedItemID = id;
    publishChanges(before);
}

void Navigator::setScrollOffset(double offset) {
    const Snapshot before = snapshot();
    m_scrollOffset = offset;
    publishChanges(before);
}

void Navigator::setSearchActive(bool active) {
    const Snapshot before = snapshot();
    m_isSearchActive = active;
    publishChanges(before);
    if (active) [[maybe_unused]]
        auto indexing = prepareFuzzyIndex();
}

QCoro::Task<> Navigator::prepareFuzzyIndex() {
    // Indexing a large listing takes longer than a frame; it runs while the user moves
    // from "s" to the first letter. A keystroke that comes first builds it on the spot.
    if (m_fuzzyIndex || m_indexing)
        co_return;
    const QPointer<Navigator> self(this);
    const uint64_t generation = m_listingGeneration;
    m_indexing = true;
    // The future is a named local: GCC 12 destroys a temporary closure in a co_await twice.
    auto building = QtConcurrent::run([items = m_items] { return FuzzyIndex(items); });
    FuzzyIndex index = co_await building;
    if (!self)
        co_return;
    m_indexing = false;
    if (!m_fuzzyIndex && generation == m_listingGeneration)
        m_fuzzyIndex.emplace(std::move(index));
}

void Navigator::setFilterQuery(const QString& query) {
    if (query == m_filterQuery)
        return;
    const Snapshot before = snapshot();
    m_filterQuery = query;
    m_selectedItemID.reset();
    publishChanges(before);
}

QList<FileItem> Navigator::visibleItems() const {
    if (m_filterQuery.isEmpty())
        return m_items;
    QList<FileItem> visible;
    visible.reserve(qsizetype(visiblePositions().size()));
    for (qsizetype position : visiblePositions())
        visible.append(m_items[position]);
    return visible;
}

const std::vector<qsizetype>& Navigator::visiblePositions() const {
    if (!m_visiblePositions) {
        if (!m_fuzzyIndex)
            m_fuzzyIndex.emplace(m_items);
        m_visiblePositions = m_fuzzyIndex->matchingPositions(m_filterQuery);
    }
    return *m_visiblePositions;
}

qsizetype Navigator::visibleCount() const {
    return m_filterQuery.isEmpty() ? m_items.size() : qsizetype(visiblePositions().size());
}

const FileItem& Navigator::visibleItemAt(qsizetype row) const {
    return m_filterQuery.isEmpty() ? m_items[row] : m_items[visiblePositions()[size_t(row)]];
}

const FileItem* Navigator::itemWithID(const QString& id) const {
    if (!m_positionOfID) {
        m_positionOfID.emplace();
        m_positionOfID->reserve(m_items.size());
        for (qsizetype i = 0; i < m_items.size(); ++i)
            m_positionOfID->insert(m_items[i].id, i);
    }
    const auto found = m_positionOfID->constFind(id);
    return found == m_positionOfID->cend() ? nullptr : &m_items[*found];
}

std::optional<qsizetype> Navigator::visibleRowOf(const QString& id) const {
    const FileItem* item = itemWithID(id);
    if (!item)
        return std::nullopt;
    const qsizetype position = item - m_items.constData();
    if (m_filterQuery.isEmpty())
        return position;
    if (!m_rowOfPosition) {
        m_rowOfPosition.emplace(size_t(m_items.size()), qsizetype(-1));
        const std::vector<qsizetype>& positions = visiblePositions();
        for (size_t row = 0; row < positions.size(); ++row)
            (*m_rowOfPosition)[size_t(positions[row])] = qsizetype(row);
    }
    const qsizetype row = (*m_rowOfPosition)[size_t(position)];
    return row < 0 ? std::nullopt : std::optional<qsizetype>(row);
}

QList<FileItem> Navigator::markedItems() const {
    QList<FileItem> marked;
    if (m_markedItemIDs.isEmpty())
        return marked;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(marked),
                 [this](const FileItem& item) { return m_markedItemIDs.contains(item.id); });
    return marked;
}

FolderSettings Navigator::effectiveSettings() const {
    if (m_folderSettingsStore)
        return m_folderSettingsStore->settings(m_currentPath).value_or(FolderSettings{});
    return m_localSettings;
}

QCoro::Task<> Navigator::reload() {
    const uint64_t ticket = ++m_listingTicket;
    const QString folder = m_currentPath;
    const bool showHidden = effectiveSettings().dotFilesVisible;
    const QPointer<Navigator> self(this);
    if (m_reloadsInFlight++ == 0)
        Q_EMIT isLoadingChanged(true);

    QList<FileItem> listed;
    try {
        auto listing = m_fileSystemService.listDirectory(folder, showHidden);
        listed = co_await listing;
    } catch (...) {
        // A folder that cannot be read shows no entries; nothing is reported.
        listed.clear();
    }
    if (!self)
        co_return;
    // The listing may describe a folder that is no longer shown or be older than one
    // already shown.
    if (ticket == m_listingTicket) {
        // Sorted off the thread as well: collating a large folder takes longer than a frame.
        const FolderSettings sortedBy = effectiveSettings();
        auto sorting = QtConcurrent::run([items = std::move(listed), sortedBy]() mutable {
            sortItems(items, sortedBy.sortKey, sortedBy.sortDirection);
            return items;
        });
        listed = co_await sorting;
        if (!self)
            co_return;
        // The order may have been changed while the listing was sorted.
        const FolderSettings settings = effectiveSettings();
        if (settings.sortKey != sortedBy.sortKey || settings.sortDirection != sortedBy.sortDirection)
            sortItems(listed, settings.sortKey, settings.sortDirection);
    }
    if (--m_reloadsInFlight == 0)
        Q_EMIT isLoadingChanged(false);
    if (ticket != m_listingTicket)
        co_return;

    const Snapshot before = snapshot();
    m_items = std::move(listed);
    if (!m_markedItemIDs.isEmpty()) {
        QSet<QString> listedIDs;
        listedIDs.reserve(m_items.size());
        for (const FileItem& item : std::as_const(m_items))
            listedIDs.insert(item.id);
        m_markedItemIDs.intersect(listedIDs);
    }
    publishChanges(before);
}

void Navigator::resetSearch() {
    m_isSearchActive = false;
    if (!m_filterQuery.isEmpty()) {
        m_filterQuery.clear();
        m_selectedItemID.reset();
    }
}

void Navigator::navigate(const QString& path) {
    const Snapshot before = snapshot();
    resetSearch();
    m_history.push(FilePath::standardised(path));
    m_currentPath = m_history.current();
    m_selectedItemID.reset();
    m_scrollOffset = 0.0;
    m_markedItemIDs.clear();
    publishChanges(before);
}

void Navigator::goBack() {
    moveInHistory(false);
}

void Navigator::goForward() {
    moveInHistory(true);
}

void Navigator::moveInHistory(bool forward) {
    const Snapshot before = snapshot();
    if (!(forward ? m_history.goForward() : m_history.goBack()))
        return;
    // The selection is kept on purpose: it is cleared only with a typed filter.
    resetSearch();
    m_currentPath = m_history.current();
    m_markedItemIDs.clear();
    publishChanges(before);
}

void Navigator::goToParent() {
    const QString parentPath = FilePath::parent(m_currentPath);
    if (parentPath != m_currentPath)
        navigate(parentPath);
}

void Navigator::openSelection() {
    if (!m_selectedItemID)
        return;
    const FileItem* found = itemWithID(*m_selectedItemID);
    if (!found)
        return;
    const FileItem item = *found;
    // A link to a folder is entered at the link's own path, so going up returns to
    // the folder holding the link rather than to the link target's parent. The listing
    // already knows where a link leads: no stat on this thread.
    if (item.isDirectory || item.isLinkToFolder)
        navigate(item.url);
    else
        m_fileOpener.open(item.url);
}

void Navigator::selectNext() {
    moveSelection(1);
}

void Navigator::selectPrevious() {
    moveSelection(-1);
}

void Navigator::moveSelection(int step) {
    const qsizetype count = visibleCount();
    if (count == 0)
        return;
    const std::optional<qsizetype> row = m_selectedItemID ? visibleRowOf(*m_selectedItemID) : std::nullopt;
    // Without a selection the first step lands on the end it moves away from.
    if (!row) {
        setSelectedItemID(visibleItemAt(step > 0 ? 0 : count - 1).id);
        return;
    }
    setSelectedItemID(visibleItemAt(std::clamp<qsizetype>(*row + step, 0, count - 1)).id);
}

void Navigator::toggleMark(const QString& id) {
    const Snapshot before = snapshot();
    if (!m_markedItemIDs.remove(id))
        m_markedItemIDs.insert(id);
    publishChanges(before);
}

void Navigator::clearMarks() {
    const Snapshot before = snapshot();
    m_markedItemIDs.clear();
    publishChanges(before);
}

void Navigator::writeSettings(const FolderSettings& settings) {
    if (m_folderSettingsStore)
        m_folderSettingsStore->set(settings, m_currentPath);
    else
        m_localSettings = settings;
}

void Navigator::toggleHidden() {
    const Snapshot before = snapshot();
    FolderSettings settings = effectiveSettings();
    settings.dotFilesVisible = !settings.dotFilesVisible;
    writeSettings(settings);
    publishChanges(before);
}

void Navigator::sortBy(SortKey key) {
    const FolderSettings settings = effectiveSettings();
    const bool repeated = key == settings.sortKey && settings.sortDirection == SortDirection::ascending;
    setSort(key, repeated ? SortDirection::descending : SortDirection::ascending);
}

void Navigator::setSort(SortKey key, SortDirection direction) {
    const Snapshot before = snapshot();
    FolderSettings settings = effectiveSettings();
    settings.sortKey = key;
    settings.sortDirection = direction;
    // Sorted before the write, so whoever hears of the new order sees it applied.
    sortItems(m_items, key, direction);
    writeSettings(settings);
    publishChanges(before);
}

void Navigator::setColumnLayout(const std::optional<QByteArray>& layout) {
    const Snapshot before = snapshot();
    FolderSettings settings = effectiveSettings();
    settings.columnLayout = layout;
    writeSettings(settings);
    publishChanges(before);
}

void Navigator::restoreState(const QStringList& history, qint64 historyIndex,
                             const std::optional<QString>& selectedItemID, double scrollOffset) {
    const Snapshot before = snapshot();
    m_history.restore(history, historyIndex, m_currentPath);
    m_selectedItemID = selectedItemID;
    m_scrollOffset = scrollOffset;
    publishChanges(before);
}

bool Navigator::applyPathMappings(const QList<PathMapping>& mappings) {
    if (mappings.isEmpty())
        return false;
    const Snapshot before = snapshot();
    const auto map = [&mappings](const QString& path) { return PathMapper::mapped(path, mappings); };
    // An entry that moved out of the folder shown is no longer one of its rows.
    const auto inCurrentFolder = [this](const QString& path) {
        return FilePath::parent(path) == m_currentPath;
    };

    if (std::optional<QString> mapped = map(m_currentPath))
        m_currentPath = *mapped;
    m_history.rewriteEntries(map);
    if (m_selectedItemID) {
        if (std::optional<QString> mapped = map(*m_selectedItemID))
            m_selectedItemID = inCurrentFolder(*mapped) ? mapped : std::nullopt;
    }
    QSet<QString> marks;
    for (const QString& id : std::as_const(m_markedItemIDs)) {
        const std::optional<QString> mapped = map(id);
        if (!mapped)
            marks.insert(id);
        else if (inCurrentFolder(*mapped))
            marks.insert(*mapped);
    }
    m_markedItemIDs = std::move(marks);

    const bool changed = pathsDiffer(before);
    publishChanges(before);
    return changed;
}

bool Navigator::handleRemovedPaths(const QSet<QString>& removed) {
    if (removed.isEmpty())
        return false;
    const Snapshot before = snapshot();
    const RemovedPaths gone(removed);
    const auto survivor = [&gone](const QString& path) -> std::optional<QString> {
        return gone.contains(path) ? gone.nearestSurvivor(path) : std::nullopt;
    };

    // With every ancestor gone there is nowhere better to go; the path stays as it is.
    if (std::optional<QString> moved = survivor(m_currentPath))
        m_currentPath = *moved;
    m_history.rewriteEntries(survivor);
    if (m_selectedItemID && gone.contains(*m_selectedItemID))
        m_selectedItemID.reset();
    m_markedItemIDs.removeIf([&gone](const QString& id) { return gone.contains(id); });

    const bool changed = pathsDiffer(before);
    publishChanges(before);
    return changed;
}

} // namespace quillmere
