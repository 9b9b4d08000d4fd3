#include "views/table/FileTableModel.h"

#include "models/navigation/Navigator.h"
#include "models/paths/FileName.h"

#include <QDateTime>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

const QString noValue = u"\u2014"_s;

} // namespace

FileTableModel::FileTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void FileTableModel::setNavigator(Navigator* navigator) {
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    beginResetModel();
    m_navigator = navigator;
    endResetModel();
    if (!navigator)
        return;
    m_connections = {
        connect(navigator, &Navigator::itemsChanged, this, &FileTableModel::reset),
        connect(navigator, &Navigator::filterQueryChanged, this, &FileTableModel::reset),
        connect(navigator, &Navigator::markedItemIDsChanged, this, &FileTableModel::marksChanged),
    };
}

void FileTableModel::reset() {
    beginResetModel();
    endResetModel();
}

void FileTableModel::marksChanged() {
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, name), index(rowCount() - 1, name), {isMarkedRole});
}

int FileTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_navigator ? 0 : int(m_navigator->visibleCount());
}

int FileTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QString FileTableModel::dateText(const FileItem& item) {
    return dateText(item.modificationDate ? item.modificationDate->toDateTime() : std::nullopt);
}

QString FileTableModel::sizeText(const FileItem& item) {
    return sizeText(item.isDirectory ? std::nullopt : item.size);
}

QString FileTableModel::dateText(const std::optional<QDateTime>& date) {
    if (!date || !date->isValid())
        return noValue;
    const QLocale locale;
    const QDateTime local = date->toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(local.time(), QLocale::ShortFormat);
}

QString FileTableModel::sizeText(std::optional<std::int64_t> size) {
    if (!size)
        return noValue;
    return QLocale().formattedDataSize(*size, 1, QLocale::DataSizeSIFormat);
}

QVariant FileTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_navigator || index.row() >= m_navigator->visibleCount())
        return {};
    const FileItem& item = m_navigator->visibleItemAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (index.column()) {
        case name: return FileName::displayText(item.name);
        case dateModified: return dateText(item);
        case size: return sizeText(item);
        case kind: return item.kind;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == size)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case isMarkedRole: return m_navigator->markedItemIDs().contains(item.id);
    case isFolderRole: return item.isDirectory || item.isLinkToFolder;
    case idRole: return item.id;
    }
    return {};
}

QVariant FileTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case name: return qtTrId("Name");
    case dateModified: return qtTrId("Date Modified");
    case size: return qtTrId("Size");
    case kind: return qtTrId("Kind");
    }
    return {};
}

} // namespace quillmere
