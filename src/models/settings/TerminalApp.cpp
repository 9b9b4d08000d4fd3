#include "models/settings/TerminalApp.h"

namespace quillmere {

QString rawText(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return QStringLiteral("wezterm");
    case TerminalApp::iterm2: return QStringLiteral("iterm2");
    case TerminalApp::terminalApp: return QStringLiteral("terminalApp");
    case TerminalApp::warp: return QStringLiteral("warp");
    case TerminalApp::ghostty: return QStringLiteral("ghostty");
    }
    return {};
}

QString displayName(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return QStringLiteral("WezTerm");
    case TerminalApp::iterm2: return QStringLiteral("iTerm2");
    case TerminalApp::terminalApp: return QStringLiteral("ターミナル");
    case TerminalApp::warp: return QStringLiteral("Warp");
    case TerminalApp::ghostty: return QStringLiteral("Ghostty");
    }
    return {};
}

std::optional<TerminalApp> terminalAppFromRawText(QStringView text) {
    for (TerminalApp app : allTerminalApps)
        if (rawText(app) == text)
            return app;
    return std::nullopt;
}

} // namespace quillmere
