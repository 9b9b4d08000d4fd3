#include "models/settings/AppSettings.h"

#include "models/paths/NameChecks.h"

#include <QTextBoundaryFinder>

#include <cctype>

namespace quillmere {

AppSettings::AppSettings(const QString& markGlyph, std::optional<QString> markColorHex,
                         TerminalApp terminalApp, TerminalOpenMode terminalOpenMode,
                         std::optional<AppLanguage> language)
    : m_markGlyph(normalizedGlyph(markGlyph))
    , m_markColorHex(std::move(markColorHex))
    , m_terminalApp(terminalApp)
    , m_terminalOpenMode(terminalOpenMode)
    , m_language(language) {}

QString AppSettings::normalizedGlyph(const QString& text) {
    if (trimmedBlanks(text).isEmpty())
        return defaultGlyph();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    const qsizetype firstEnd = finder.toNextBoundary();
    return text.left(firstEnd > 0 ? firstEnd : 1);
}

std::optional<RgbColor> AppSettings::markColor(const QString& hex) {
    QStringView digits(hex);
    if (digits.startsWith(u'#'))
        digits = digits.mid(1);
    if (digits.size() != 6)
        return std::nullopt;
    for (QChar c : digits)
        if (!isxdigit(c.unicode() < 128 ? c.toLatin1() : 0))
            return std::nullopt;
    const uint value = digits.toUInt(nullptr, 16);
    return RgbColor{int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF)};
}

AppSettings AppSettings::withMarkGlyph(const QString& glyph) const {
    AppSettings copy = *this;
    copy.m_markGlyph = normalizedGlyph(glyph);
    return copy;
}

AppSettings AppSettings::withMarkColorHex(std::optional<QString> hex) const {
    AppSettings copy = *this;
    copy.m_markColorHex = std::move(hex);
    return copy;
}

AppSettings AppSettings::withTerminalApp(TerminalApp app) const {
    AppSettings copy = *this;
    copy.m_terminalApp = app;
    return copy;
}

AppSettings AppSettings::withTerminalOpenMode(TerminalOpenMode mode) const {
    AppSettings copy = *this;
    copy.m_terminalOpenMode = mode;
    return copy;
}

AppSettings AppSettings::withLanguage(std::optional<AppLanguage> language) const {
    AppSettings copy = *this;
    copy.m_language = language;
    return copy;
}

} // namespace quillmere
