#pragma once

#include "models/listing/FileItem.h"

#include <QAbstractTableModel>
#include <QList>

namespace quillmere {

// A virtual table over a listing: name, date modified, size and kind. No widget per
// row; texts are formatted when a row is painted.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { name, dateModified, size, kind };
    static constexpr int columns = 4;

    explicit FileListModel(QObject* parent = nullptr);

    void setItems(QList<FileItem> items);
    const QList<FileItem>& items() const { return m_items; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<FileItem> m_items;
};

} // namespace quillmere
