#pragma once

#include "models/palette/PaletteItemKind.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace quillmere {

// One row of the command palette. The id is fresh for every row built and names
// nothing persistent. matchPositions are offsets, in user-perceived characters, of
// the title's characters to highlight; offsets past the title's end are ignored.
struct PaletteItem {
    QUuid id;
    PaletteItemKind kind;
    QString title;
    std::optional<QString> subtitle;
    QList<int> matchPositions;
    int score = 0;

    bool operator==(const PaletteItem&) const = default;
};

} // namespace quillmere
