#include "views/palette/PaletteItemsModel.h"

#include "models/palette/PaletteMatch.h"
#include "models/paths/FileName.h"
#include "services/palette/CommandPaletteStore.h"
#include "views/common/SystemIcon.h"

using namespace Qt::StringLiterals;

namespace quillmere {

PaletteItemsModel::PaletteItemsModel(CommandPaletteStore& store, QObject* parent)
    : QAbstractListModel(parent)
    , m_store(store)
    , m_selectedRow(store.selectedIndex()) {
    connect(&store, &CommandPaletteStore::itemsChanged, this, [this] {
        beginResetModel();
        m_selectedRow = m_store.selectedIndex();
        endResetModel();
    });
    connect(&store, &CommandPaletteStore::selectedIndexChanged, this, &PaletteItemsModel::selectionMoved);
}

int PaletteItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_store.items().size());
}

QVariant PaletteItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_store.items().size())
        return {};
    const PaletteItem& item = m_store.items()[index.row()];
    const PaletteItemKind::Command* command = item.kind.command();
    // Commands and the window's actions show a key hint where the others show a path.
    const bool keyed = command || item.kind.windowAction();
    switch (role) {
    case Qt::DisplayRole: return item.title;
    case Qt::AccessibleTextRole: {
        // What a screen reader says: the title, then the key or the path.
        QString text = keyed ? item.title : FileName::displayText(item.title);
        if (item.subtitle)
            text += u", "_s + (keyed ? *item.subtitle : FileName::displayText(*item.subtitle));
        return text;
    }
    case symbolRole: {
        using S = SystemIcon::Symbol;
        if (keyed)
            return int(S::command);
        if (item.kind.isCancelOperation())
            return int(S::stop);
        if (const auto* volume = std::get_if<PaletteItemKind::Volume>(&item.kind.value))
            return int(volume->isNetwork ? S::networkDrive : S::drive);
        return int(std::holds_alternative<PaletteItemKind::Bookmark>(item.kind.value) ? S::bookmark
                                                                                      : S::clock);
    }
    case subtitleRole:
        if (keyed || !item.subtitle)
            return {};
        return *item.subtitle;
    case keyHintRole:
        if (!keyed || !item.subtitle)
            return {};
        return *item.subtitle;
    case titleMatchRole:
        return QVariant::fromValue(matchedThroughPath(item) ? QList<int>() : item.matchPositions);
    case subtitleMatchRole:
        return QVariant::fromValue(matchedThroughPath(item) ? item.matchPositions : QList<int>());
    case isSelectedRole: return index.row() == m_store.selectedIndex();
    }
    return {};
}

bool PaletteItemsModel::matchedThroughPath(const PaletteItem& item) const {
    if (item.matchPositions.isEmpty() ||
        !(std::holds_alternative<PaletteItemKind::RecentFolder>(item.kind.value) ||
          std::holds_alternative<PaletteItemKind::Volume>(item.kind.value)))
        return false;
    // The name wins a tie, so a name match that gives the row's score and offsets is the
    // one the row was built from. Asked only for the rows in sight.
    const std::optional<PaletteMatch> name = fuzzyMatch(item.title, m_store.query());
    return !name || name->score != item.score || name->positions != item.matchPositions;
}

void PaletteItemsModel::selectionMoved(qsizetype index) {
    const qsizetype previous = std::exchange(m_selectedRow, index);
    const QList<int> roles{isSelectedRole};
    if (previous >= 0 && previous < rowCount())
        Q_EMIT dataChanged(this->index(int(previous)), this->index(int(previous)), roles);
    if (index >= 0 && index < rowCount())
        Q_EMIT dataChanged(this->index(int(index)), this->index(int(index)), roles);
}

} // namespace quillmere
