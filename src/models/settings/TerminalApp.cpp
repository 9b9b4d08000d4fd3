#include "models/settings/TerminalApp.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString rawText(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return u"wezterm"_s;
    case TerminalApp::iterm2: return u"iterm2"_s;
    case TerminalApp::terminalApp: return u"terminalApp"_s;
    case TerminalApp::warp: return u"warp"_s;
    case TerminalApp::ghostty: return u"ghostty"_s;
    }
    return {};
}

QString displayName(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return u"WezTerm"_s;
    case TerminalApp::iterm2: return u"iTerm2"_s;
    case TerminalApp::terminalApp: return u"ターミナル"_s;
    case TerminalApp::warp: return u"Warp"_s;
    case TerminalApp::ghostty: return u"Ghostty"_s;
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
