#pragma once

#include <QString>

namespace quillmere {

// How a batch rename derives the new names. Only the fields of the rule's kind are
// meaningful; two rules are equal when their kinds and those fields are.
//  - sequential: base, then the running number start + position padded with zeros to
//    at least `digits` characters, then the old extension;
//  - replace: every occurrence of `find` becomes `with`, extension included, found
//    under canonical equivalence (a decomposed "é" is an "é");
//  - affix: prefix, the old stem, suffix, the old extension;
//  - regex: every match of `pattern` becomes `templateText` expanded for that match.
struct BatchRenameRule {
    enum class Kind { sequential, replace, affix, regex };

    Kind kind = Kind::replace;
    QString base;
    qint64 start = 0;
    qint64 digits = 0;
    QString find;
    QString with;
    QString prefix;
    QString suffix;
    QString pattern;
    QString templateText;

    static BatchRenameRule sequential(QString base, qint64 start, qint64 digits);
    static BatchRenameRule replace(QString find, QString with);
    static BatchRenameRule affix(QString prefix, QString suffix);
    static BatchRenameRule regex(QString pattern, QString templateText);

    bool operator==(const BatchRenameRule& other) const;
};

} // namespace quillmere
