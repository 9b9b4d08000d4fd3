#include "PaletteMatch.h"

#include "FuzzyMatcher.h"
#include "Graphemes.h"

#include <vector>

namespace quillmere {

std::optional<PaletteMatch> fuzzyMatch(QStringView candidate, QStringView query) {
    if (query.isEmpty())
        return std::nullopt;
    const std::optional<int> score = fuzzyScore(candidate, query);
    if (!score)
        return std::nullopt;
    // Split exactly as fuzzyScore does, so the offsets name the characters it matched.
    const QString lowerCandidate = candidate.toString().toLower();
    const QString lowerQuery = query.toString().toLower();
    const std::vector<QStringView> c = Graphemes::split(lowerCandidate);
    PaletteMatch match{*score, {}};
    size_t next = 0;
    for (QStringView wanted : Graphemes::split(lowerQuery)) {
        while (next < c.size() && c[next] != wanted)
            ++next;
        if (next == c.size())
            break;
        match.positions.append(int(next));
        ++next;
    }
    return match;
}

} // namespace quillmere
