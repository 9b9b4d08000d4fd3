#include "models/listing/FuzzyRules.h"

#include <QChar>

#include <algorithm>
#include <utility>

namespace quillmere {

bool FuzzyRules::isSeparator(char16_t unit) {
    return unit == u'.' || unit == u'_' || unit == u'-' || unit == u' ' || unit == u'/';
}

bool FuzzyRules::isSeparator(QStringView character) {
    return character.size() == 1 && isSeparator(character.front().unicode());
}

bool FuzzyRules::isUpperCaseLetter(QStringView character) {
    if (character.isEmpty())
        return false;
    const char32_t first =
        character.size() > 1 && character[0].isHighSurrogate() && character[1].isLowSurrogate()
            ? QChar::surrogateToUcs4(character[0], character[1])
            : character[0].unicode();
    return QChar::category(first) == QChar::Letter_Uppercase;
}

QString FuzzyRules::canonical(QStringView text) {
    return text.toString().normalized(QString::NormalizationForm_C);
}

QString FuzzyRules::folded(QString canonicalText) {
    return std::move(canonicalText).toLower().normalized(QString::NormalizationForm_C);
}

bool FuzzyRules::precedesByCodePoint(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y)
            return codePointRank(x) < codePointRank(y);
    }
    return a.size() < b.size();
}

} // namespace quillmere
