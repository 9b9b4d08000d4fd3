#pragma once

#include <QString>
#include <QStringView>

namespace quillmere {

// The pieces of the fuzzy score that fuzzyScore and FuzzyIndex must agree on.
namespace FuzzyRules {

inline constexpr int startScore = 11;    // the query's first character opens the name
inline constexpr int strongScore = 6;    // after a separator, or on an upper-case letter
inline constexpr int weakScore = 1;      // anywhere else
inline constexpr int adjacencyBonus = 3; // right after the previous match

// One of "._- /" (dot, underscore, hyphen, space, slash).
bool isSeparator(QStringView character);
bool isSeparator(char16_t unit);
// True when the character's first code point is an upper-case letter.
bool isUpperCaseLetter(QStringView character);

// Matching compares canonical (NFC) text, so a name stored decomposed is found by a
// query typed precomposed.
QString canonical(QStringView text);
// Canonical text lower-cased, normalised again: lower-casing can leave a sequence
// that composes.
QString folded(QString canonicalText);

// Plain text order by Unicode scalar value, case-sensitive; UTF-16 code unit order
// would put U+E000..U+FFFF after characters beyond the BMP.
bool precedesByCodePoint(QStringView a, QStringView b);
// A rank of one code unit that orders units as precedesByCodePoint does.
inline char16_t codePointRank(char16_t unit) {
    if (unit < 0xD800)
        return unit;
    if (unit >= 0xE000)
        return char16_t(unit - 0x800);
    return char16_t(unit + 0x2000); // surrogates above every other unit
}

} // namespace FuzzyRules

} // namespace quillmere
