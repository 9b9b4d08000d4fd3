#pragma once

#include <QList>
#include <QStringView>

#include <optional>

namespace quillmere {

// A fuzzy match of a palette candidate: the score of fuzzyScore and the offsets of
// the matched characters, in user-perceived characters from the candidate's start.
struct PaletteMatch {
    int score = 0;
    QList<int> positions;

    bool operator==(const PaletteMatch&) const = default;
};

// No match for an empty query, or when fuzzyScore finds none. The positions are those
// of the same greedy, case-blind, left-to-right match that was scored, counted in the
// candidate as given even when it matched through its canonical form.
std::optional<PaletteMatch> fuzzyMatch(QStringView candidate, QStringView query);

} // namespace quillmere
