#pragma once

#include "models/listing/FileItem.h"

#include <QHash>
#include <QList>

#include <cstdint>
#include <vector>

namespace quillmere {

// The names of one listing prepared for fuzzy filtering, so that each keystroke
// only scans them.
//
// Building normalises, lower-cases and splits every name into characters once (so a
// name stored decomposed is found by a precomposed query), remembers where a match
// scores as strong (after a separator, on an upper-case letter) and lays the names
// out in code point order. filter(query) then gives exactly
// fuzzyFilter(items, query): best score first, equal scores by name, equal names in
// listing order. The index holds a shared copy of the items; rebuild it when the
// listing changes.
class FuzzyIndex final {
public:
    FuzzyIndex() = default;
    explicit FuzzyIndex(const QList<FileItem>& items);

    QList<FileItem> filter(QStringView query) const;
    // The listing positions of filter(query)'s items, in its order.
    std::vector<qsizetype> matchingPositions(QStringView query) const;

    qsizetype size() const { return m_items.size(); }

private:
    // A character is one code unit, one code point, or the id of a longer cluster;
    // the top bit marks a position where a match scores as strong.
    using Code = uint32_t;
    static constexpr Code strongFlag = 0x8000'0000u;
    static constexpr Code firstClusterId = 0x11'0000u;

    void appendName(QStringView name);
    void appendSimpleName(QStringView name);
    void appendClusteredName(QStringView name);
    Code codeOf(QStringView cluster);
    bool queryCodes(QStringView query, std::vector<Code>& out) const;
    static uint64_t presenceBit(Code code) { return uint64_t(1) << ((code * 0x9E37'79B1u) >> 26); }

    QList<FileItem> m_items;
    std::vector<qsizetype> m_positions; // names in code point order -> listing position
    std::vector<uint32_t> m_starts;     // where each name's codes begin, plus the end
    std::vector<uint64_t> m_presence;   // which presence bits each name's characters set
    std::vector<Code> m_codes;
    QHash<QString, Code> m_clusters;
    size_t m_longest = 0; // characters in the longest name
};

} // namespace quillmere
