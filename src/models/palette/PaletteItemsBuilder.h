#pragma once

#include "models/palette/PaletteItem.h"
#include "models/settings/Bookmark.h"

#include <QList>
#include <QStringList>

namespace quillmere {

// Builds the command palette's rows from its three sources. An empty query lists the
// recent commands, the recent folders (newest first) and every bookmark, unsorted;
// any other query lists whatever fuzzy-matches it, best score first, equal scores
// keeping the order commands, folders, bookmarks.
class PaletteItemsBuilder final {
public:
    static constexpr qsizetype recentCommandLimit = 5;
    static constexpr qsizetype recentFolderLimit = 10;

    struct Sources {
        QList<PaletteItemKind::Command> commands; // catalog order, labels translated
        QList<KeyCommand> recentCommands;         // most recent first
        QStringList history;                      // the active tab's folders, oldest first
        QList<Bookmark> bookmarks;                // stored order
    };

    static QList<PaletteItem> build(const Sources& sources, QStringView query);

    // Fixed English words matched besides a command's label, whatever the language.
    static QString searchKeywords(const KeyCommand& command);

private:
    static QList<PaletteItem> recentRows(const Sources& sources);
    static QList<PaletteItem> matchingRows(const Sources& sources, QStringView query);
};

} // namespace quillmere
