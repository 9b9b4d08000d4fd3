#pragma once

#include "models/navigation/Navigator.h"
#include <QAbstractTableModel>
#include <QPointer>

namespace quillmere {

struct FileItem;

// The rows of one Navigator as a virtual table: name, date modified, size and kind.
// Rows are read from the Navigator when painted (its visible rows, without a copy of
// the listing), so a filter keystroke costs a reset and the painting of one screen.
class FileTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { name, dateModified, size, kind };
    static constexpr int columns = 4;
    enum Role { isMarkedRole = Qt::UserRole + 1, isFolderRole, idRole };

    explicit FileTableModel(QObject* parent = nullptr);

    // Follows another Navigator (a tab switch); null shows nothing.
    void setNavigator(Navigator* navigator);
    Navigator* navigator() const { return m_navigator; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The texts of the date and size cells: a dash where there is no value. The trash
    // shows its dates and sizes the same way.
    static QString dateText(const FileItem& item);
    static QString sizeText(const FileItem& item);
    static QString dateText(const std::optional<QDateTime>& date);
    static QString sizeText(std::optional<std::int64_t> size);

private:
    void reset();
    void marksChanged();

    QPointer<Navigator> m_navigator;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace quillmere
