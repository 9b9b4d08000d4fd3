#pragma once

#include "models/settings/AppLanguage.h"
#include "models/settings/TerminalApp.h"
#include "models/settings/TerminalOpenMode.h"

#include <QString>

#include <optional>

namespace quillmere {

using namespace Qt::StringLiterals;

// An opaque sRGB colour, 0-255 per channel.
struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RgbColor&) const = default;
};

// The user's global preferences. The mark glyph is normalised whenever a record is
// made, so a record never holds an empty or blank glyph; records are changed by
// building a new one with one field replaced.
class AppSettings {
public:
    static QString defaultGlyph() { return u"\u2713"_s; }

    explicit AppSettings(const QString& markGlyph = defaultGlyph(), std::optional<QString> markColorHex = {},
                         TerminalApp terminalApp = TerminalApp::wezterm,
                         TerminalOpenMode terminalOpenMode = TerminalOpenMode::newWindow,
                         std::optional<AppLanguage> language = {});

    const QString& markGlyph() const { return m_markGlyph; }
    const std::optional<QString>& markColorHex() const { return m_markColorHex; }
    TerminalApp terminalApp() const { return m_terminalApp; }
    TerminalOpenMode terminalOpenMode() const { return m_terminalOpenMode; }
    const std::optional<AppLanguage>& language() const { return m_language; }

    AppSettings withMarkGlyph(const QString& glyph) const;
    AppSettings withMarkColorHex(std::optional<QString> hex) const;
    AppSettings withTerminalApp(TerminalApp app) const;
    AppSettings withTerminalOpenMode(TerminalOpenMode mode) const;
    AppSettings withLanguage(std::optional<AppLanguage> language) const;

    bool operator==(const AppSettings&) const = default;

    // Blanks (spaces and tabs) at both ends do not count; nothing left gives the check
    // mark, else the first user-perceived character of the text as given.
    static QString normalizedGlyph(const QString& text);
    // "#RRGGBB" or "RRGGBB" (any case) as an opaque sRGB colour; anything else gives none.
    static std::optional<RgbColor> markColor(const QString& hex);

private:
    QString m_markGlyph;
    std::optional<QString> m_markColorHex;
    TerminalApp m_terminalApp;
    TerminalOpenMode m_terminalOpenMode;
    std::optional<AppLanguage> m_language;
};

} // namespace quillmere
