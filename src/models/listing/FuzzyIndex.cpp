#include "models/listing/FuzzyIndex.h"

#include "models/listing/FuzzyRules.h"
#include "models/listing/Graphemes.h"

#include <algorithm>
#include <array>

namespace quillmere {
namespace {

// Below U+0300 every code unit is a character of its own (CR aside), text is already
// canonical, and a unit lower-cases to one unit with one exception (U+0130 becomes "i"
// and a combining dot). Those units skip the general path; the table is filled from
// Qt's own case mapping.
struct SimpleUnits {
    static constexpr char16_t limit = 0x300;
    std::array<char16_t, limit> lower{};
    std::array<bool, limit> simple{};
    std::array<bool, limit> upperCaseLetter{};

    SimpleUnits() {
        for (char16_t unit = 0; unit < limit; ++unit) {
            const QString lowered = QString(QChar(unit)).toLower();
            simple[unit] = unit != u'\r' && lowered.size() == 1 && lowered[0].unicode() < limit;
            lower[unit] = simple[unit] ? lowered[0].unicode() : unit;
            upperCaseLetter[unit] = QChar::category(char32_t(unit)) == QChar::Letter_Uppercase;
        }
    }
};

const SimpleUnits& simpleUnits() {
    static const SimpleUnits table;
    return table;
}

bool isSimple(QStringView name) {
    const SimpleUnits& table = simpleUnits();
    return std::all_of(name.begin(), name.end(), [&](QChar c) {
        return c.unicode() < SimpleUnits::limit && table.simple[c.unicode()];
    });
}

// Four code units from `from` on as one number in code point order; a shorter name
// pads with zeros.
uint64_t orderPrefix(QStringView name, qsizetype from) {
    uint64_t prefix = 0;
    for (qsizetype i = from; i < from + 4; ++i) {
        prefix <<= 16;
        if (i < name.size())
            prefix |= FuzzyRules::codePointRank(name[i].unicode());
    }
    return prefix;
}

struct Ordered {
    uint64_t prefix;
    qsizetype position;
};

// Sorts names in code point order four units at a time: each round sorts plain
// numbers, and only runs that still tie read their names again. Comparing whole
// names instead reads scattered strings on every comparison, which is what a
// million names make slow.
void sortByCodePoints(const QList<FileItem>& items, std::vector<Ordered>& order, size_t begin, size_t end,
                      qsizetype depth) {
    const qsizetype from = depth * 4;
    bool allEnded = true;
    for (size_t i = begin; i < end; ++i) {
        const QString& name = items[order[i].position].name;
        order[i].prefix = orderPrefix(name, from);
        allEnded = allEnded && name.size() <= from + 4;
    }
    const auto first = order.begin() + qsizetype(begin);
    const auto last = order.begin() + qsizetype(end);
    if (allEnded) {
        // Equal units throughout: the shorter name first, then listing order.
        std::sort(first, last, [&](const Ordered& a, const Ordered& b) {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            const qsizetype la = items[a.position].name.size();
            const qsizetype lb = items[b.position].name.size();
            return la != lb ? la < lb : a.position < b.position;
        });
        return;
    }
    std::sort(first, last, [](const Ordered& a, const Ordered& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.position < b.position;
    });
    for (size_t run = begin; run < end;) {
        size_t next = run + 1;
        while (next < end && order[next].prefix == order[run].prefix)
            ++next;
        if (next - run > 1)
            sortByCodePoints(items, order, run, next, depth + 1);
        run = next;
    }
}

} // namespace

FuzzyIndex::FuzzyIndex(const QList<FileItem>& items)
    : m_items(items) {
    std::vector<Ordered> order(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        order[size_t(i)] = {0, i};
    sortByCodePoints(items, order, 0, order.size(), 0);

    m_positions.reserve(order.size());
    m_starts.reserve(order.size() + 1);
    m_presence.reserve(order.size());
    for (const Ordered& entry : order) {
        m_positions.push_back(entry.position);
        m_starts.push_back(uint32_t(m_codes.size()));
        appendName(items[entry.position].name);
        m_longest = std::max(m_longest, m_codes.size() - m_starts.back());
    }
    m_starts.push_back(uint32_t(m_codes.size()));
}

void FuzzyIndex::appendName(QStringView name) {
    if (isSimple(name))
        appendSimpleName(name);
    else
        appendClusteredName(name);
}

void FuzzyIndex::appendSimpleName(QStringView name) {
    const SimpleUnits& table = simpleUnits();
    uint64_t presence = 0;
    char16_t previous = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const char16_t lower = table.lower[unit];
        Code code = lower;
        presence |= presenceBit(code);
        if (i > 0 && (FuzzyRules::isSeparator(previous) || table.upperCaseLetter[unit]))
            code |= strongFlag;
        m_codes.push_back(code);
        previous = lower;
    }
    m_presence.push_back(presence);
}

void FuzzyIndex::appendClusteredName(QStringView name) {
    const QString canonical = FuzzyRules::canonical(name);
    const QString lower = FuzzyRules::folded(canonical);
    const std::vector<QStringView> characters = Graphemes::split(lower);
    const std::vector<QStringView> original = Graphemes::split(canonical);
    uint64_t presence = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        Code code = codeOf(characters[i]);
        presence |= presenceBit(code);
        if (i > 0 && (FuzzyRules::isSeparator(characters[i - 1]) ||
                      (i < original.size() && FuzzyRules::isUpperCaseLetter(original[i]))))
            code |= strongFlag;
        m_codes.push_back(code);
    }
    m_presence.push_back(presence);
}

FuzzyIndex::Code FuzzyIndex::codeOf(QStringView cluster) {
    if (cluster.size() == 1)
        return cluster[0].unicode();
    if (cluster.size() == 2 && cluster[0].isHighSurrogate() && cluster[1].isLowSurrogate())
        return QChar::surrogateToUcs4(cluster[0], cluster[1]);
    const auto found = m_clusters.constFind(cluster.toString());
    if (found != m_clusters.constEnd())
        return *found;
    const Code id = firstClusterId + Code(m_clusters.size());
    m_clusters.insert(cluster.toString(), id);
    return id;
}

bool FuzzyIndex::queryCodes(QStringView query, std::vector<Code>& out) const {
    const QString lower = FuzzyRules::folded(FuzzyRules::canonical(query));
    for (QStringView cluster : Graphemes::split(lower)) {
        if (cluster.size() == 1) {
            out.push_back(cluster[0].unicode());
        } else if (cluster.size() == 2 && cluster[0].isHighSurrogate() && cluster[1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(cluster[0], cluster[1]));
        } else {
            // A cluster no name holds cannot match anything.
            const auto found = m_clusters.constFind(cluster.toString());
            if (found == m_clusters.constEnd())
                return false;
            out.push_back(*found);
        }
    }
    return true;
}

std::vector<qsizetype> FuzzyIndex::matchingPositions(QStringView query) const {
    std::vector<qsizetype> out;
    if (query.isEmpty()) {
        out.resize(size_t(m_items.size()));
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = qsizetype(i);
        return out;
    }
    std::vector<Code> q;
    if (!queryCodes(query, q) || q.empty() || q.size() > m_longest)
        return out;
    uint64_t wanted = 0;
    for (Code code : q)
        wanted |= presenceBit(code);

    // Names are scanned in code point order, so each score's bucket is already in the
    // order equal scores need; a counting sort by score then finishes the job.
    const size_t m = q.size();
    const int maxScore =
        FuzzyRules::startScore + int(m - 1) * (FuzzyRules::strongScore + FuzzyRules::adjacencyBonus);
    std::vector<uint32_t> matchedRanks;
    std::vector<uint32_t> matchedScores;
    std::vector<size_t> counts(size_t(maxScore) + 1, 0);
    const Code* codes = m_codes.data();
    for (size_t rank = 0; rank < m_positions.size(); ++rank) {
        if ((m_presence[rank] & wanted) != wanted)
            continue;
        const Code* c = codes + m_starts[rank];
        const size_t length = m_starts[rank + 1] - m_starts[rank];
        if (length < m)
            continue;
        int score = 0;
        size_t next = 0;
        size_t last = 0;
        bool hasLast = false;
        if ((c[0] & ~strongFlag) == q[0]) {
            score = FuzzyRules::startScore;
            next = 1;
            hasLast = true;
        }
        for (size_t i = 1; next < m && i < length; ++i) {
            if ((c[i] & ~strongFlag) != q[next])
                continue;
            score += (c[i] & strongFlag) ? FuzzyRules::strongScore : FuzzyRules::weakScore;
            if (hasLast && i == last + 1)
                score += FuzzyRules::adjacencyBonus;
            last = i;
            hasLast = true;
            ++next;
        }
        if (next != m)
            continue;
        matchedRanks.push_back(uint32_t(rank));
        matchedScores.push_back(uint32_t(score));
        ++counts[size_t(score)];
    }

    std::vector<size_t> starts(counts.size(), 0);
    size_t offset = 0;
    for (size_t score = counts.size(); score-- > 0;) {
        starts[score] = offset;
        offset += counts[score];
    }
    out.resize(matchedRanks.size());
    for (size_t i = 0; i < matchedRanks.size(); ++i)
        out[starts[matchedScores[i]]++] = m_positions[matchedRanks[i]];
    return out;
}

QList<FileItem> FuzzyIndex::filter(QStringView query) const {
    if (query.isEmpty())
        return m_items;
    const std::vector<qsizetype> positions = matchingPositions(query);
    QList<FileItem> out;
    out.reserve(qsizetype(positions.size()));
    for (qsizetype position : positions)
        out.append(m_items[position]);
    return out;
}

} // namespace quillmere
