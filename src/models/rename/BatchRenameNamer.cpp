#include "models/rename/BatchRenameNamer.h"

#include "models/listing/CanonicalText.h"
#include "models/paths/FileName.h"
#include "models/rename/RunningNumber.h"
#include "platform/PathCodec.h"

#include <algorithm>

namespace quillmere {
namespace {

// A wider number alone makes the name longer than any file system allows, so the
// verdict on the name is the same, and a huge width cannot exhaust memory.
constexpr qint64 widestNumber = FileName::maximumBytes + 1;

QString withExtensionOf(QString stem, QStringView name) {
    const QStringView extension = FileName::extension(name);
    if (!extension.isEmpty())
        stem += u'.' + extension;
    return stem;
}

} // namespace

BatchRenameNamer::BatchRenameNamer(const BatchRenameRule& rule)
    : m_rule(rule)
    , m_find(rule.find.normalized(QString::NormalizationForm_C)) {
    if (rule.kind != BatchRenameRule::Kind::regex)
        return;
    // Unicode properties, so that \d and \w treat every script alike.
    m_pattern = QRegularExpression(rule.pattern, QRegularExpression::UseUnicodePropertiesOption);
    if (m_pattern.isValid())
        m_template = RegexTemplate(rule.templateText);
}

bool BatchRenameNamer::isValid() const {
    return m_rule.kind != BatchRenameRule::Kind::regex || m_pattern.isValid();
}

QString BatchRenameNamer::proposedName(QStringView name, qint64 position) const {
    switch (m_rule.kind) {
    case BatchRenameRule::Kind::sequential: return numbered(name, position);
    case BatchRenameRule::Kind::replace: return replaced(name);
    case BatchRenameRule::Kind::affix: return affixed(name);
    case BatchRenameRule::Kind::regex: return rewritten(name);
    }
    return name.toString();
}

QString BatchRenameNamer::numbered(QStringView name, qint64 position) const {
    const qsizetype width = qsizetype(std::min(m_rule.digits, widestNumber));
    return withExtensionOf(m_rule.base + RunningNumber::text(m_rule.start, position, width), name);
}

QString BatchRenameNamer::replaced(QStringView name) const {
    if (m_find.isEmpty())
        return name.toString();
    // Found through the canonical form, so a name stored decomposed matches a find typed
    // precomposed; what no occurrence touches keeps the name's own form.
    return CanonicalText(name).replaced(m_find, m_rule.with);
}

QString BatchRenameNamer::affixed(QStringView name) const {
    return withExtensionOf(m_rule.prefix + FileName::stem(name) + m_rule.suffix, name);
}

QString BatchRenameNamer::rewritten(QStringView name) const {
    // The pattern cannot match text holding an escaped byte (a lone surrogate), so it
    // sees the byte as U+FFFD, the way the views show it. Both texts have the same
    // length, so every position, and every piece copied from the name, keeps the byte.
    const QString subject = PathCodec::hasEscapedBytes(name) ? PathCodec::displayText(name) : name.toString();
    QString out;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = m_pattern.globalMatch(subject);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out += name.sliced(copied, match.capturedStart() - copied);
        out += m_template.expand(match, name);
        copied = match.capturedEnd();
    }
    out += name.sliced(copied);
    return out;
}

} // namespace quillmere
