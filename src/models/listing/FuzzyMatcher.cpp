#include "models/listing/FuzzyMatcher.h"

#include "models/listing/FuzzyRules.h"
#include "models/listing/Graphemes.h"

#include <algorithm>
#include <vector>

namespace quillmere {

std::optional<int> fuzzyScore(QStringView candidate, QStringView query) {
    const QString lowerQuery = FuzzyRules::folded(FuzzyRules::canonical(query));
    const std::vector<QStringView> q = Graphemes::split(lowerQuery);
    if (q.empty())
        return 0;
    const QString canonicalCandidate = FuzzyRules::canonical(candidate);
    const QString lowerCandidate = FuzzyRules::folded(canonicalCandidate);
    const std::vector<QStringView> c = Graphemes::split(lowerCandidate);
    if (c.empty())
        return std::nullopt;
    // Lower-casing may change a character's length, so the upper-case test looks at
    // the name's own characters, before lower-casing.
    const std::vector<QStringView> original = Graphemes::split(canonicalCandidate);

    int score = 0;
    size_t next = 0;
    std::optional<size_t> lastMatch;
    if (c[0] == q[0]) {
        score = FuzzyRules::startScore;
        next = 1;
        lastMatch = 0;
    }
    for (size_t i = 1; next < q.size() && i < c.size(); ++i) {
        if (c[i] != q[next])
            continue;
        const bool strong = FuzzyRules::isSeparator(c[i - 1]) ||
                            (i < original.size() && FuzzyRules::isUpperCaseLetter(original[i]));
        const int bonus = lastMatch && i == *lastMatch + 1 ? FuzzyRules::adjacencyBonus : 0;
        score += (strong ? FuzzyRules::strongScore : FuzzyRules::weakScore) + bonus;
        lastMatch = i;
        ++next;
    }
    if (next != q.size())
        return std::nullopt;
    return score;
}

QList<FileItem> fuzzyFilter(const QList<FileItem>& items, QStringView query) {
    if (query.isEmpty())
        return items;
    struct Scored {
        int score;
        qsizetype index;
    };
    std::vector<Scored> matches;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (const std::optional<int> score = fuzzyScore(items[i].name, query))
            matches.push_back({*score, i});
    std::stable_sort(matches.begin(), matches.end(), [&](const Scored& a, const Scored& b) {
        if (a.score != b.score)
            return a.score > b.score;
        return FuzzyRules::precedesByCodePoint(items[a.index].name, items[b.index].name);
    });
    QList<FileItem> out;
    out.reserve(qsizetype(matches.size()));
    for (const Scored& match : matches)
        out.append(items[match.index]);
    return out;
}

} // namespace quillmere
