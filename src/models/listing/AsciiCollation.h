#pragma once

#include <QCollator>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string>

namespace quillmere {

// Cheap sort keys for printable ASCII text that order exactly as a numeric-mode
// collator does.
//
// Most file names are printable ASCII. For them the root collation (and most
// locales, which tailor other scripts only) reduces to comparing characters one by
// one by their primary weight, with runs of digits compared as numbers (leading
// zeros ignored). The weights are read from the collator itself, and the model is
// checked against it on every pair of printable ASCII characters and a set of
// numeric cases; a locale with contractions or other tailorings of ASCII (Danish
// "aa", Czech "ch", Turkish dotless i) fails the check and is not used.
class AsciiCollation final {
public:
    explicit AsciiCollation(const QCollator& collator);

    // The shared model for the collator's locale and options, built once per thread.
    static const AsciiCollation& forCollator(const QCollator& collator);

    // True when the keys give the collator's order for every text they accept.
    bool isUsable() const { return m_usable; }

    // Appends text's key to out; false (out unchanged) when the text is not printable
    // ASCII or holds a digit run the collator would split. Keys compare as unsigned
    // bytes; equal keys mean the collator finds the texts equal.
    bool appendKey(QStringView text, std::string& out) const;

private:
    bool buildWeights(const QCollator& collator);
    bool agreesWith(const QCollator& collator) const;

    static constexpr char16_t first = 0x20;
    static constexpr char16_t last = 0x7E;
    std::array<uint8_t, last + 1> m_weights{}; // primary rank per character; 0 = not covered
    uint8_t m_digitWeight = 0;
    bool m_usable = false;
};

} // namespace quillmere
