#include "models/listing/Graphemes.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace quillmere {

bool Graphemes::isOneUnitEach(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300 && c != u'\r'; });
}

std::vector<QStringView> Graphemes::split(QStringView text) {
    std::vector<QStringView> out;
    out.reserve(size_t(text.size()));
    if (isOneUnitEach(text)) {
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

} // namespace quillmere
