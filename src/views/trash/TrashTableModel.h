#pragma once

#include "models/listing/SortDirection.h"
#include "models/listing/SortKey.h"
#include "models/trash/TrashedItem.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

#include <cstdint>
#include <optional>

namespace quillmere {

// The trash as a table of name, original location, deletion date and size, with the
// folder tabs' sort keys (kind stands for the original location), a fuzzy filter on the
// names and marks. Items are known by their trashed path, which holds the exact bytes of
// the name; marks that no longer match an item are dropped when the listing changes.
class TrashTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { name, originalLocation, deleted, size };
    static constexpr int columns = 4;

    explicit TrashTableModel(QObject* parent = nullptr);

    void setItems(QList<TrashedItem> items);
    const QList<TrashedItem>& items() const { return m_items; }
    // The total of the sizes known; none when no item's size is known.
    static std::optional<std::int64_t> totalSize(const QList<TrashedItem>& items);

    SortKey sortKey() const { return m_sortKey; }
    SortDirection sortDirection() const { return m_sortDirection; }
    // The same key again reverses the order; another key sorts ascending.
    void sortBy(SortKey key);
    static SortKey keyOfColumn(int column);
    static int columnOfKey(SortKey key);

    const QString& filterQuery() const { return m_filterQuery; }
    void setFilterQuery(const QString& query);

    const TrashedItem& visibleItemAt(int row) const { return m_items[m_visible[row]]; }
    qsizetype visibleCount() const { return m_visible.size(); }
    std::optional<int> rowOf(const QString& trashedPath) const;

    const QSet<QString>& marks() const { return m_marks; }
    void toggleMark(const QString& trashedPath);
    void clearMarks();
    // Marked items, filtered out or not, in list order.
    QList<TrashedItem> markedItems() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void marksChanged();
    void sortChanged();

private:
    void arrange();

    QList<TrashedItem> m_items;
    QList<qsizetype> m_visible;
    QSet<QString> m_marks;
    QString m_filterQuery;
    // Most recently deleted first until the user chooses otherwise.
    SortKey m_sortKey = SortKey::dateModified;
    SortDirection m_sortDirection = SortDirection::descending;
};

} // namespace quillmere
