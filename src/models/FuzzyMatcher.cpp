#include "FuzzyMatcher.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace quillmere {
namespace {

// Splits text into grapheme clusters. Text below U+0300 without CR has no
// multi-character clusters, so it is split per code unit without the segmenter.
std::vector<QStringView> graphemes(QStringView text) {
    std::vector<QStringView> out;
    out.reserve(size_t(text.size()));
    const bool simple = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300 && c != u'\r'; });
    if (simple) {
        for (qsizetype i = 0; i < text.size(); ++i)
            out.push_back(text.mid(i, 1));
        return out;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        out.push_back(text.mid(start, end - start));
        start = end;
    }
    return out;
}

bool isSeparator(QStringView grapheme) {
    return grapheme.size() == 1 && QStringView(u"._- /").contains(grapheme.front());
}

bool isUpperCaseLetter(QStringView grapheme) {
    if (grapheme.isEmpty())
        return false;
    const char32_t first = grapheme.size() > 1 && grapheme[0].isHighSurrogate()
                               ? QChar::surrogateToUcs4(grapheme[0], grapheme[1])
                               : grapheme[0].unicode();
    return QChar::category(first) == QChar::Letter_Uppercase;
}

// Ordinal comparison of Unicode scalar values (UTF-16 code unit order differs above U+D7FF).
bool precedesByCodePoint(QStringView a, QStringView b) {
    auto ai = a.begin();
    auto bi = b.begin();
    for (; ai != a.end() && bi != b.end(); ++ai, ++bi) {
        if (*ai == *bi)
            continue;
        auto rank = [](QChar c) { return c.isSurrogate() ? 0xFFFF + c.unicode() : c.unicode(); };
        return rank(*ai) < rank(*bi);
    }
    return ai == a.end() && bi != b.end();
}

} // namespace

std::optional<int> fuzzyScore(QStringView candidate, QStringView query) {
    const QString lowerQuery = query.toString().toLower();
    const std::vector<QStringView> q = graphemes(lowerQuery);
    if (q.empty())
        return 0;
    const QString lowerCandidate = candidate.toString().toLower();
    const std::vector<QStringView> c = graphemes(lowerCandidate);
    if (c.empty())
        return std::nullopt;
    const std::vector<QStringView> original = graphemes(candidate);

    int score = 0;
    size_t next = 0;
    std::optional<size_t> lastMatch;
    if (c[0] == q[0]) {
        score = 11;
        next = 1;
        lastMatch = 0;
    }
    for (size_t i = 1; next < q.size() && i < c.size(); ++i) {
        if (c[i] != q[next])
            continue;
        int base = 1;
        if (isSeparator(c[i - 1]) || (i < original.size() && isUpperCaseLetter(original[i])))
            base = 6;
        const int bonus = lastMatch && i == *lastMatch + 1 ? 3 : 0;
        score += base + bonus;
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
        return precedesByCodePoint(items[a.index].name, items[b.index].name);
    });
    QList<FileItem> out;
    out.reserve(qsizetype(matches.size()));
    for (const Scored& match : matches)
        out.append(items[match.index]);
    return out;
}

} // namespace quillmere
