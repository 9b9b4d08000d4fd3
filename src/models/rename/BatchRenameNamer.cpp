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
    : m_rule(rule) {
    if (const auto* replace = std::get_if<BatchRenameRule::Replace>(&rule.value))
        m_find = replace->find.normalized(QString::NormalizationForm_C);
    if (const auto* regex = std::get_if<BatchRenameRule::Regex>(&rule.value)) {
        // Unicode properties, so that \d and \w treat every script alike.
        m_pattern = QRegularExpression(regex->pattern, QRegularExpression::UseUnicodePropertiesOption);
        if (m_pattern.isValid())
            m_template = RegexTemplate(regex->templateText);
    }
}

bool BatchRenameNamer::isValid() const {
    return !std::holds_alternative<BatchRenameRule::Regex>(m_rule.value) || m_pattern.isValid();
}

QString BatchRenameNamer::proposedName(QStringView name, qint64 position) const {
    return std::visit([&](const auto& rule) { return proposedName(rule, name, position); }, m_rule.value);
}

QString BatchRenameNamer::proposedName(const BatchRenameRule::Sequential& rule, QStringView name,
                                       qint64 position) const {
    const qsizetype width = qsizetype(std::min(rule.digits, widestNumber));
    return withExtensionOf(rule.base + RunningNumber::text(rule.start, position, width), name);
}

QString BatchRenameNamer::proposedName(const BatchRenameRule::Replace& rule, QStringView name, qint64) const {
    if (m_find.isEmpty())
        return name.toString();
    // Found through the canonical form, so a name stored decomposed matches a find typed
    // precomposed; what no occurrence touches keeps the name's own form.
    return CanonicalText(name).replaced(m_find, rule.with);
}

QString BatchRenameNamer::proposedName(const BatchRenameRule::Affix& rule, QStringView name, qint64) const {
    return withExtensionOf(rule.prefix + FileName::stem(name) + rule.suffix, name);
}

QString BatchRenameNamer::proposedName(const BatchRenameRule::Regex&, QStringView name, qint64) const {
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
