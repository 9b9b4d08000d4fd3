#pragma once

#include "models/palette/PaletteItem.h"
#include "models/settings/Bookmark.h"

#include <QList>
#include <QStringList>

namespace quillmere {

// Builds the command palette's rows from its sources. An empty query lists the recent
// commands, the recent folders (newest first), every bookmark and every mounted volume,
// unsorted; any other query lists whatever fuzzy-matches it, best score first, equal
// scores keeping the order commands, folders, bookmarks, volumes.
namespace PaletteItemsBuilder {

inline constexpr qsizetype recentCommandLimit = 5;
inline constexpr qsizetype recentFolderLimit = 10;

struct Sources {
    QList<PaletteItemKind::Command> commands; // catalog order, labels translated
    QList<KeyCommand> recentCommands;         // most recent first
    QStringList history;                      // the active tab's folders, oldest first
    QList<Bookmark> bookmarks;                // stored order
    // Present while a file operation runs: the row that cancels it. It comes last with
    // an empty query and is matched like a command otherwise.
    std::optional<PaletteItemKind::CancelOperation> cancelOperation;
    // The window's actions available now (undo and redo only when there is something to
    // take back or do again); listed only when the query matches them, like commands.
    QList<PaletteItemKind::WindowAction> windowActions;
    // Matched on their label and on their path.
    QList<PaletteItemKind::Volume> volumes; // mount order
};

QList<PaletteItem> build(const Sources& sources, QStringView query);

// Fixed English words matched besides a command's label, whatever the language.
QString searchKeywords(const KeyCommand& command);
inline constexpr char cancelOperationKeywords[] = "cancel running operation stop abort";
// Fixed English words matched besides a window action's label.
QString windowActionKeywords(PaletteItemKind::WindowAction::Which which);

} // namespace PaletteItemsBuilder

} // namespace quillmere
