#include "models/palette/PaletteMatch.h"

#include "models/listing/CanonicalText.h"
#include "models/listing/FuzzyMatcher.h"
#include "models/listing/FuzzyRules.h"
#include "models/listing/Graphemes.h"

#include <vector>

namespace quillmere {

std::optional<PaletteMatch> fuzzyMatch(QStringView candidate, QStringView query) {
    if (query.isEmpty())
        return std::nullopt;
    const std::optional<int> score = fuzzyScore(candidate, query);
    if (!score)
        return std::nullopt;
    // Split exactly as fuzzyScore does, so the offsets name the characters it matched;
    // those are characters of the canonical form, and the title shows the candidate.
    const CanonicalText canonical(candidate);
    const QString lowerCandidate = FuzzyRules::folded(canonical.canonical());
    const QString lowerQuery = FuzzyRules::folded(FuzzyRules::canonical(query));
    const std::vector<QStringView> c = Graphemes::split(lowerCandidate);
    PaletteMatch match{*score, {}};
    size_t next = 0;
    for (QStringView wanted : Graphemes::split(lowerQuery)) {
        while (next < c.size() && c[next] != wanted)
            ++next;
        if (next == c.size())
            break;
        match.positions.append(int(canonical.originalCharacter(qsizetype(next))));
        ++next;
    }
    return match;
}

} // namespace quillmere
