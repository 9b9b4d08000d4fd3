#pragma once

#include <QString>

#include <variant>

namespace quillmere {

// How a batch rename derives the new names, one case of four, each with its own
// fields; two rules are equal when their cases and fields are.
//  - sequential: base, then the running number start + position padded with zeros to
//    at least `digits` characters, then the old extension;
//  - replace: every occurrence of `find` becomes `with`, extension included, found
//    under canonical equivalence (a decomposed "é" is an "é");
//  - affix: prefix, the old stem, suffix, the old extension;
//  - regex: every match of `pattern` becomes `templateText` expanded for that match.
struct BatchRenameRule {
    struct Sequential {
        QString base;
        qint64 start = 0;
        qint64 digits = 0;
        bool operator==(const Sequential&) const = default;
    };
    struct Replace {
        QString find;
        QString with;
        bool operator==(const Replace&) const = default;
    };
    struct Affix {
        QString prefix;
        QString suffix;
        bool operator==(const Affix&) const = default;
    };
    struct Regex {
        QString pattern;
        QString templateText;
        bool operator==(const Regex&) const = default;
    };

    // A default rule replaces nothing, so it leaves every name as it is.
    std::variant<Sequential, Replace, Affix, Regex> value = Replace{};

    static BatchRenameRule sequential(QString base, qint64 start, qint64 digits) {
        return {Sequential{std::move(base), start, digits}};
    }
    static BatchRenameRule replace(QString find, QString with) {
        return {Replace{std::move(find), std::move(with)}};
    }
    static BatchRenameRule affix(QString prefix, QString suffix) {
        return {Affix{std::move(prefix), std::move(suffix)}};
    }
    static BatchRenameRule regex(QString pattern, QString templateText) {
        return {Regex{std::move(pattern), std::move(templateText)}};
    }

    bool operator==(const BatchRenameRule&) const = default;
};

} // namespace quillmere
