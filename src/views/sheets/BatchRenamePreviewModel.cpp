#include "views/sheets/BatchRenamePreviewModel.h"

#include "models/paths/FileName.h"

using namespace Qt::StringLiterals;

namespace quillmere {

BatchRenamePreviewModel::BatchRenamePreviewModel(QList<FileItem> items, QColor secondary, QColor error,
                                                 QObject* parent)
    : QAbstractTableModel(parent)
    , m_items(std::move(items))
    , m_secondary(secondary)
    , m_error(error) {}

void BatchRenamePreviewModel::setRows(QList<BatchRenamePreviewRow> rows) {
    Q_ASSERT(rows.size() == m_items.size());
    m_rows = std::move(rows);
    // The entries never change, only what is proposed for them: the view keeps its
    // scroll position and current row.
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_items.size()) - 1, columns - 1));
}

QString BatchRenamePreviewModel::text(Validity validity) {
    switch (validity) {
    case Validity::ok: return {};
    case Validity::empty: return qtTrId("batchRename.error.emptyName");
    case Validity::duplicateInBatch: return qtTrId("batchRename.error.duplicate");
    case Validity::collidesExisting: return qtTrId("batchRename.error.conflict");
    case Validity::invalidRegex: return qtTrId("batchRename.error.invalidRegex");
    case Validity::invalidName: return qtTrId("batchRename.error.invalidName");
    }
    return {};
}

int BatchRenamePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

int BatchRenamePreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant BatchRenamePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const FileItem& item = m_items[index.row()];
    const BatchRenamePreviewRow* row = m_rows.isEmpty() ? nullptr : &m_rows[index.row()];
    const bool usable = row && row->validity == Validity::ok;

    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case status:
            if (!row)
                return QString();
            return usable ? u"\u2713"_s : u"\u26A0"_s;
        case presentName: return FileName::displayText(item.name);
        case arrow: return u"\u2192"_s;
        case newName: return row ? FileName::displayText(row->newName) : QString();
        case message: return row ? text(row->validity) : QString();
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        // The whole text where the view shortens it, and the verdict on the symbol.
        switch (index.column()) {
        case status:
        case message: return row ? text(row->validity) : QString();
        case presentName: return FileName::displayText(item.name);
        case newName: return row ? FileName::displayText(row->newName) : QString();
        }
        return {};
    case Qt::ForegroundRole:
        switch (index.column()) {
        case status: return usable ? m_secondary : m_error;
        case presentName:
        case arrow: return m_secondary;
        case newName: return usable ? QVariant() : QVariant(m_error);
        case message: return m_error;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == status || index.column() == arrow)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

} // namespace quillmere
