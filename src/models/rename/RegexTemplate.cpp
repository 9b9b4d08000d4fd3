#include "models/rename/RegexTemplate.h"

#include <limits>
#include <utility>

namespace quillmere {

namespace {

// The code point at index and the number of UTF-16 units it takes; a lone surrogate
// counts as one unit of its own.
std::pair<char32_t, qsizetype> codePointAt(QStringView text, qsizetype index) {
    const QChar c = text[index];
    if (c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text[index + 1]), 2};
    return {c.unicode(), 1};
}

} // namespace

RegexTemplate::RegexTemplate(QStringView text) {
    Piece current;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'$' || i + 1 == text.size()) {
            current.literal += text[i++];
            continue;
        }
        const auto [next, nextSize] = codePointAt(text, i + 1);
        if (next == U'$') {
            current.literal += u'$';
            i += 2;
            continue;
        }
        if (!QChar::isNumber(next)) {
            current.literal += u'$';
            ++i;
            continue;
        }
        const qsizetype runStart = i + 1;
        qsizetype runEnd = runStart + nextSize;
        while (runEnd < text.size()) {
            const auto [c, size] = codePointAt(text, runEnd);
            if (!QChar::isNumber(c))
                break;
            runEnd += size;
        }
        i = runEnd;
        const int group = groupNumber(text.sliced(runStart, runEnd - runStart));
        if (group >= 0) {
            current.group = group;
            m_pieces.push_back(std::move(current));
            current = Piece();
        }
    }
    if (!current.literal.isEmpty())
        m_pieces.push_back(std::move(current));
}

int RegexTemplate::groupNumber(QStringView digits) {
    // A run with other numeric characters, or a number no pattern could have as a
    // group, names no group.
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        const int digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<int>::max() - digit) / 10)
            return -1;
        value = value * 10 + digit;
    }
    return value;
}

QString RegexTemplate::expand(const QRegularExpressionMatch& match, QStringView subject) const {
    QString out;
    for (const Piece& piece : m_pieces) {
        out += piece.literal;
        if (piece.group < 0 || piece.group > match.lastCapturedIndex())
            continue;
        const qsizetype start = match.capturedStart(piece.group);
        if (start >= 0)
            out += subject.mid(start, match.capturedLength(piece.group));
    }
    return out;
}

} // namespace quillmere
