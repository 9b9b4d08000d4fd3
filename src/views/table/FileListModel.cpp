#include "FileListModel.h"

#include "models/paths/FileName.h"

#include <QDateTime>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace quillmere {

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void FileListModel::setItems(QList<FileItem> items) {
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const FileItem& item = m_items[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() == Column::size)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const QLocale locale;
    switch (index.column()) {
    case Column::name: return FileName::displayText(item.name);
    case Column::dateModified: {
        const std::optional<QDateTime> date =
            item.modificationDate ? item.modificationDate->toDateTime() : std::nullopt;
        return date ? locale.toString(date->toLocalTime(), QLocale::ShortFormat) : QString();
    }
    case Column::size:
        return item.size ? locale.formattedDataSize(*item.size, 1, QLocale::DataSizeSIFormat) : u"--"_s;
    case Column::kind: return item.kind;
    }
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Column::name: return tr("Name");
    case Column::dateModified: return tr("Date Modified");
    case Column::size: return tr("Size");
    case Column::kind: return tr("Kind");
    }
    return {};
}

} // namespace quillmere
