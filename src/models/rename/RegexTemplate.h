#pragma once

#include <QRegularExpressionMatch>
#include <QString>

#include <vector>

namespace quillmere {

// The replacement template of a regex batch rename, parsed once and expanded for
// each match.
//
// "$$" is one "$". "$" followed by a run of numeric characters (any with a Unicode
// numeric category: also full-width digits, superscripts, fractions) takes the whole
// run; when the run is ASCII digits naming a group that took part in the match, the
// group's text is inserted, otherwise nothing. Any other "$" is itself.
class RegexTemplate final {
public:
    explicit RegexTemplate(QStringView text = {});

    // subject is the text that was matched, whose positions the match holds; the
    // inserted group text is taken from it, not from the match.
    QString expand(const QRegularExpressionMatch& match, QStringView subject) const;

private:
    struct Piece {
        QString literal;
        int group = -1; // inserted after literal; -1 for none
    };
    static int groupNumber(QStringView digits);

    std::vector<Piece> m_pieces;
};

} // namespace quillmere
