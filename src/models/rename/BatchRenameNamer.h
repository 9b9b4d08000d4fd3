#pragma once

#include "models/rename/BatchRenameRule.h"
#include "models/rename/RegexTemplate.h"

#include <QRegularExpression>

namespace quillmere {

// Proposes the new name of each entry under one rule. Built once per preview, so the
// pattern is compiled and the template parsed once rather than once per entry.
class BatchRenameNamer final {
public:
    explicit BatchRenameNamer(const BatchRenameRule& rule);

    // False when the rule is a regex whose pattern does not compile.
    bool isValid() const;
    // position counts the entries of the batch from 0.
    QString proposedName(QStringView name, qint64 position) const;

private:
    QString proposedName(const BatchRenameRule::Sequential& rule, QStringView name, qint64 position) const;
    QString proposedName(const BatchRenameRule::Replace& rule, QStringView name, qint64 position) const;
    QString proposedName(const BatchRenameRule::Affix& rule, QStringView name, qint64 position) const;
    QString proposedName(const BatchRenameRule::Regex& rule, QStringView name, qint64 position) const;

    BatchRenameRule m_rule;
    QString m_find; // canonical, for replace
    QRegularExpression m_pattern;
    RegexTemplate m_template;
};

} // namespace quillmere
