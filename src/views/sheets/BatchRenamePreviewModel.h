#pragma once

#include "models/listing/FileItem.h"
#include "models/rename/BatchRenamePreviewRow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

namespace quillmere {

// The batch rename preview as a table: one row per entry, in the order of numbering,
// with the verdict's symbol, the present name, an arrow, the proposed name and, for a name
// that cannot be used, why. Texts are made only for the rows a view asks for, so a batch
// of any size costs the view the rows on screen.
class BatchRenamePreviewModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { status, presentName, arrow, newName, message };
    static constexpr int columns = message + 1;

    BatchRenamePreviewModel(QList<FileItem> items, QColor secondary, QColor error, QObject* parent = nullptr);

    // Rows of the same items as the model holds; until the first call every entry is
    // shown under its present name with nothing proposed.
    void setRows(QList<BatchRenamePreviewRow> rows);
    const QList<BatchRenamePreviewRow>& rows() const { return m_rows; }

    // The translated reason a name cannot be used; empty for ok.
    static QString text(Validity validity);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<FileItem> m_items;
    QList<BatchRenamePreviewRow> m_rows;
    QColor m_secondary;
    QColor m_error;
};

} // namespace quillmere
