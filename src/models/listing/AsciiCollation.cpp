#include "models/listing/AsciiCollation.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

bool isDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// The collator splits digit runs longer than this into several numbers.
constexpr qsizetype longestNumber = 254;

QStringList numericProbes() {
    return {u"0"_s,
            u"00"_s,
            u"000"_s,
            u"1"_s,
            u"01"_s,
            u"001"_s,
            u"9"_s,
            u"09"_s,
            u"10"_s,
            u"010"_s,
            u"99"_s,
            u"100"_s,
            u"a0"_s,
            u"a00"_s,
            u"a01"_s,
            u"a1"_s,
            u"a1b"_s,
            u"a01b"_s,
            u"a10"_s,
            u"a2"_s,
            u"0a"_s,
            u"00a"_s,
            u"1a"_s,
            u"1 a"_s,
            u"1.5"_s,
            u"1.05"_s,
            u"1-2"_s,
            u"x1y01z"_s,
            u"x01y1z"_s,
            u"2024-03-01"_s,
            u"2024-3-1"_s,
            u"IMG_0001.JPG"_s,
            u"img_1.jpg"_s,
            u"IMG_10.JPG"_s,
            u"file2"_s,
            u"file10"_s,
            u"File10"_s,
            u"12345678901234567890"_s,
            u"12345678901234567891"_s,
            u"9999999999999999999999999999999"_s,
            u"100000000000000000000000000000"_s};
}

} // namespace

AsciiCollation::AsciiCollation(const QCollator& collator) {
    m_usable = collator.numericMode() && buildWeights(collator) && agreesWith(collator);
}

const AsciiCollation& AsciiCollation::forCollator(const QCollator& collator) {
    struct Cached {
        QString locale;
        bool numeric = false;
        Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive;
        bool ignorePunctuation = false;
        std::unique_ptr<AsciiCollation> model;
    };
    thread_local Cached cached;
    const QString locale = collator.locale().bcp47Name();
    if (!cached.model || cached.locale != locale || cached.numeric != collator.numericMode() ||
        cached.caseSensitivity != collator.caseSensitivity() ||
        cached.ignorePunctuation != collator.ignorePunctuation()) {
        cached = {locale, collator.numericMode(), collator.caseSensitivity(), collator.ignorePunctuation(),
                  std::make_unique<AsciiCollation>(collator)};
    }
    return *cached.model;
}

bool AsciiCollation::buildWeights(const QCollator& collator) {
    // Every printable non-digit, and "0" standing for all digit runs, ranked by the
    // collator; characters it finds equal share a rank.
    std::vector<char16_t> units;
    for (char16_t unit = first; unit <= last; ++unit)
        if (!isDigit(unit) || unit == u'0')
            units.push_back(unit);
    auto text = [](char16_t unit) { return QString(QChar(unit)); };
    std::stable_sort(units.begin(), units.end(),
                     [&](char16_t a, char16_t b) { return collator.compare(text(a), text(b)) < 0; });
    int rank = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        if (i == 0 || collator.compare(text(units[i - 1]), text(units[i])) != 0)
            ++rank;
        if (units[i] == u'0')
            m_digitWeight = uint8_t(rank);
        else
            m_weights[units[i]] = uint8_t(rank);
    }
    for (size_t i = 0; i < units.size(); ++i) {
        const bool tiesWithDigits = units[i] != u'0' && m_weights[units[i]] == m_digitWeight;
        if (tiesWithDigits)
            return false;
    }
    return true;
}

bool AsciiCollation::agreesWith(const QCollator& collator) const {
    QStringList probes = numericProbes();
    for (char16_t a = first; a <= last; ++a) {
        probes.append(QString(QChar(a)));
        for (char16_t b = first; b <= last; ++b)
            probes.append(QString(QChar(a)) + QChar(b));
    }
    std::vector<std::string> keys(size_t(probes.size()));
    for (qsizetype i = 0; i < probes.size(); ++i)
        if (!appendKey(probes[i], keys[size_t(i)]))
            return false;
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    // The collator is a total preorder, so agreeing on every neighbour in key order
    // means agreeing on every pair.
    for (size_t i = 1; i < order.size(); ++i) {
        const bool keysEqual = keys[order[i - 1]] == keys[order[i]];
        const int collated = collator.compare(probes[qsizetype(order[i - 1])], probes[qsizetype(order[i])]);
        if (keysEqual ? collated != 0 : collated >= 0)
            return false;
    }
    return true;
}

bool AsciiCollation::appendKey(QStringView text, std::string& out) const {
    const size_t start = out.size();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t unit = text[i].unicode();
        if (unit > last || (unit < first)) {
            out.resize(start);
            return false;
        }
        if (!isDigit(unit)) {
            out.push_back(char(m_weights[unit]));
            ++i;
            continue;
        }
        // A number: its weight, then its count of significant digits, then the digits,
        // so that numbers compare by value and leading zeros do not count.
        qsizetype end = i;
        while (end < n && isDigit(text[end].unicode()))
            ++end;
        qsizetype significant = i;
        while (significant < end - 1 && text[significant] == u'0')
            ++significant;
        if (end - significant > longestNumber) {
            out.resize(start);
            return false;
        }
        out.push_back(char(m_digitWeight));
        out.push_back(char(uint8_t(end - significant)));
        for (qsizetype d = significant; d < end; ++d)
            out.push_back(char(text[d].unicode()));
        i = end;
    }
    return true;
}

} // namespace quillmere
