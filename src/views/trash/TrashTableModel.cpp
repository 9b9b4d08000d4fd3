#include "views/trash/TrashTableModel.h"

#include "models/paths/FileName.h"
#include "models/trash/TrashOrdering.h"
#include "views/table/FileTableModel.h"

namespace quillmere {
TrashTableModel::TrashTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void TrashTableModel::setItems(QList<TrashedItem> items) {
    beginResetModel();
    m_items = std::move(items);
    TrashOrdering::sortItems(m_items, m_sortKey, m_sortDirection);
    QSet<QString> present;
    for (const TrashedItem& item : std::as_const(m_items))
        present.insert(item.trashedPath);
    const qsizetype marked = m_marks.size();
    m_marks.intersect(present);
    arrange();
    endResetModel();
    if (m_marks.size() != marked)
        Q_EMIT marksChanged();
}

std::optional<std::int64_t> TrashTableModel::totalSize(const QList<TrashedItem>& items) {
    std::optional<std::int64_t> total;
    for (const TrashedItem& item : items)
        if (item.size)
            total = total.value_or(0) + *item.size;
    return total;
}

void TrashTableModel::sortBy(SortKey key) {
    const bool reverse = key == m_sortKey && m_sortDirection == SortDirection::ascending;
    m_sortKey = key;
    m_sortDirection = reverse ? SortDirection::descending : SortDirection::ascending;
    beginResetModel();
    TrashOrdering::sortItems(m_items, m_sortKey, m_sortDirection);
    arrange();
    endResetModel();
    Q_EMIT sortChanged();
}

SortKey TrashTableModel::keyOfColumn(int column) {
    switch (column) {
    case originalLocation: return SortKey::kind;
    case deleted: return SortKey::dateModified;
    case size: return SortKey::size;
    default: return SortKey::name;
    }
}

int TrashTableModel::columnOfKey(SortKey key) {
    switch (key) {
    case SortKey::name: return name;
    case SortKey::kind: return originalLocation;
    case SortKey::dateModified: return deleted;
    case SortKey::size: return size;
    }
    return name;
}

void TrashTableModel::setFilterQuery(const QString& query) {
    if (query == m_filterQuery)
        return;
    beginResetModel();
    m_filterQuery = query;
    arrange();
    endResetModel();
}

void TrashTableModel::arrange() {
    m_visible = TrashOrdering::matching(m_items, m_filterQuery);
}

std::optional<int> TrashTableModel::rowOf(const QString& trashedPath) const {
    for (qsizetype row = 0; row < m_visible.size(); ++row)
        if (m_items[m_visible[row]].trashedPath == trashedPath)
            return int(row);
    return std::nullopt;
}

void TrashTableModel::toggleMark(const QString& trashedPath) {
    if (!m_marks.remove(trashedPath))
        m_marks.insert(trashedPath);
    if (const std::optional<int> row = rowOf(trashedPath))
        Q_EMIT dataChanged(index(*row, name), index(*row, name), {FileTableModel::isMarkedRole});
    Q_EMIT marksChanged();
}

void TrashTableModel::clearMarks() {
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, name), index(rowCount() - 1, name), {FileTableModel::isMarkedRole});
    Q_EMIT marksChanged();
}

QList<TrashedItem> TrashTableModel::markedItems() const {
    QList<TrashedItem> marked;
    for (const TrashedItem& item : m_items)
        if (m_marks.contains(item.trashedPath))
            marked.append(item);
    return marked;
}

int TrashTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_visible.size());
}

int TrashTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant TrashTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_visible.size())
        return {};
    const TrashedItem& item = visibleItemAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (index.column()) {
        case name: return FileName::displayText(TrashOrdering::nameOf(item));
        case originalLocation: return FileName::displayText(TrashOrdering::originalFolderOf(item));
        case deleted: return FileTableModel::dateText(item.deletionDate);
        case size: return FileTableModel::sizeText(item.size);
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == originalLocation)
            return FileName::displayText(TrashOrdering::originalFolderOf(item));
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == size)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case FileTableModel::isMarkedRole: return m_marks.contains(item.trashedPath);
    case FileTableModel::isFolderRole: return item.isDirectory;
    case FileTableModel::idRole: return item.trashedPath;
    }
    return {};
}

QVariant TrashTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    switch (section) {
    case name: return qtTrId("Name");
    case originalLocation: return qtTrId("trash.column.originalLocation");
    case deleted: return qtTrId("trash.column.deleted");
    case size: return qtTrId("Size");
    }
    return {};
}

} // namespace quillmere
