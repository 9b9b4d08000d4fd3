#pragma once

#include <QAbstractListModel>
#include <QList>

namespace quillmere {

class CommandPaletteStore;
struct PaletteItem;

// The palette's rows as a list model over the store: reset whenever the store rebuilds
// its rows, so the view keeps no copy of them and paints only the rows in sight.
class PaletteItemsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        // SystemIcon::Symbol of the row's kind, as an int.
        symbolRole = Qt::UserRole + 1,
        // The second line: a folder's full path; none for command rows.
        subtitleRole,
        // A command's key as printed in the catalog; none for folder rows.
        keyHintRole,
        // Offsets, in characters of the title or the subtitle, to highlight.
        titleMatchRole,
        subtitleMatchRole,
        isSelectedRole,
    };

    explicit PaletteItemsModel(CommandPaletteStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // Whether a folder or volume row's highlight offsets count characters of its path rather than
    // of its name: the row matched through the path alone, or better through the path.
    bool matchedThroughPath(const PaletteItem& item) const;
    void selectionMoved(qsizetype index);

    CommandPaletteStore& m_store;
    qsizetype m_selectedRow = 0;
};

} // namespace quillmere
