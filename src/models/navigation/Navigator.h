#pragma once

#include "models/listing/FileItem.h"
#include "models/listing/FuzzyIndex.h"
#include "models/navigation/NavigationHistory.h"
#include "models/paths/PathMapping.h"
#include "models/settings/FolderSettings.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quillmere {

class FileOpener;
class FileSystemService;
class FolderSettingsStore;

// The browsing state of one tab: the folder shown, its sorted listing, the selection,
// the filter, the marks, the back/forward history and the folder's view settings.
//
// Every operation but reload() is synchronous and only changes state; reload() is the
// one place the folder is read, and callers start it after anything that changes the
// folder or the hidden-entries setting. Each field has a ...Changed signal, emitted
// once per operation after all of the operation's changes are in place, and only when
// the value differs. View settings come from the store when there is one (the record
// for the current folder, or the default record), else from localSettings().
class Navigator final : public QObject {
    Q_OBJECT

public:
    // The store may be null; the services must outlive the navigator.
    Navigator(const QString& initialPath, FileSystemService& fileSystemService,
              FolderSettingsStore* folderSettingsStore, FileOpener& fileOpener, QObject* parent = nullptr);

    const QString& currentPath() const { return m_currentPath; }
    const QList<FileItem>& items() const { return m_items; }
    const std::optional<QString>& selectedItemID() const { return m_selectedItemID; }
    double scrollOffset() const { return m_scrollOffset; }
    bool isSearchActive() const { return m_isSearchActive; }
    const QString& filterQuery() const { return m_filterQuery; }
    const QSet<QString>& markedItemIDs() const { return m_markedItemIDs; }
    const QStringList& history() const { return m_history.entries(); }
    qsizetype historyIndex() const { return m_history.index(); }
    const FolderSettings& localSettings() const { return m_localSettings; }

    void setSelectedItemID(const std::optional<QString>& id);
    void setSearchActive(bool active);
    // A different query also clears the selection.
    void setFilterQuery(const QString& query);
    void setScrollOffset(double offset);

    // The items matching filterQuery, best match first; all items in sort order when
    // the query is empty.
    QList<FileItem> visibleItems() const;
    // The same rows without copying items: how many there are, the item of a row, and
    // the row of an item (none when it is not shown). The table reads these per paint.
    qsizetype visibleCount() const;
    const FileItem& visibleItemAt(qsizetype row) const;
    std::optional<qsizetype> visibleRowOf(const QString& id) const;
    // The listing item with this id, if listed.
    const FileItem* itemWithID(const QString& id) const;
    // Whether a listing of the current folder is under way.
    bool isLoading() const { return m_reloadsInFlight > 0; }
    // Marked entries of the whole listing (filtered out or not), in listing order.
    QList<FileItem> markedItems() const;
    FolderSettings effectiveSettings() const;
    bool canGoBack() const { return m_history.canGoBack(); }
    bool canGoForward() const { return m_history.canGoForward(); }

    // Lists the current folder and replaces the items with the sorted result; a folder
    // that cannot be listed shows nothing. A listing that finishes after the folder
    // changed, or after a later reload started, is dropped.
    QCoro::Task<> reload();

    void navigate(const QString& path);
    void goBack();
    void goForward();
    void goToParent();
    // Enters the selected folder (or link to a folder) or opens the selected file.
    void openSelection();
    void selectNext();
    void selectPrevious();
    void toggleMark(const QString& id);
    void clearMarks();
    void toggleHidden();
    // The same key again flips ascending to descending; anything else sorts ascending.
    void sortBy(SortKey key);
    void setSort(SortKey key, SortDirection direction);
    void setColumnLayout(const std::optional<QByteArray>& layout);
    void restoreState(const QStringList& history, qint64 historyIndex,
                      const std::optional<QString>& selectedItemID, double scrollOffset);
    // Both return true when anything changed; callers reload afterwards.
    bool applyPathMappings(const QList<PathMapping>& mappings);
    bool handleRemovedPaths(const QSet<QString>& removed);

Q_SIGNALS:
    void currentPathChanged(const QString& path);
    void itemsChanged();
    void selectedItemIDChanged();
    void scrollOffsetChanged(double offset);
    void isSearchActiveChanged(bool active);
    void filterQueryChanged(const QString& query);
    void markedItemIDsChanged();
    void historyChanged();
    void historyIndexChanged(qsizetype index);
    void localSettingsChanged();
    // The settings in effect for the current folder, whichever way they changed.
    void effectiveSettingsChanged();
    void isLoadingChanged(bool loading);

private:
    struct Snapshot;
    Snapshot snapshot() const;
    // Emits the signal of every field that differs from before.
    void publishChanges(const Snapshot& before);
    // Whether any of the paths held (folder, history, selection, marks) changed.
    bool pathsDiffer(const Snapshot& before) const;

    void writeSettings(const FolderSettings& settings);
    void moveInHistory(bool forward);
    void moveSelection(int step);
    void resetSearch();
    const std::vector<qsizetype>& visiblePositions() const;
    QCoro::Task<> prepareFuzzyIndex();

    FileSystemService& m_fileSystemService;
    FolderSettingsStore* m_folderSettingsStore;
    FileOpener& m_fileOpener;

    QString m_currentPath;
    QList<FileItem> m_items;
    std::optional<QString> m_selectedItemID;
    double m_scrollOffset = 0.0;
    bool m_isSearchActive = false;
    QString m_filterQuery;
    QSet<QString> m_markedItemIDs;
    NavigationHistory m_history;
    FolderSettings m_localSettings;

    FolderSettings m_publishedSettings;
    // Raised whenever the folder changes or a reload starts; a listing applies only
    // while the ticket it took is still the latest.
    uint64_t m_listingTicket = 0;
    // Built on the first filtered read after a listing, then reused for every keystroke.
    mutable std::optional<FuzzyIndex> m_fuzzyIndex;
    // Listing positions of the rows matching the query; built per query, never a copy of items.
    mutable std::optional<std::vector<qsizetype>> m_visiblePositions;
    // Listing position of every id, and row of every listing position under the query.
    mutable std::optional<QHash<QString, qsizetype>> m_positionOfID;
    mutable std::optional<std::vector<qsizetype>> m_rowOfPosition;
    int m_reloadsInFlight = 0;
    // Raised whenever the listing changes, so an index built off the thread for an older
    // listing is dropped.
    uint64_t m_listingGeneration = 0;
    bool m_indexing = false;
};

} // namespace quillmere
