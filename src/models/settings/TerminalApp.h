#pragma once

#include <QString>

#include <array>
#include <optional>

namespace quillmere {

// The terminal applications Quillmere can open a folder in, in the order they are listed.
enum class TerminalApp { wezterm, iterm2, terminalApp, warp, ghostty };

inline constexpr std::array allTerminalApps = {TerminalApp::wezterm, TerminalApp::iterm2,
                                               TerminalApp::terminalApp, TerminalApp::warp,
                                               TerminalApp::ghostty};

QString rawText(TerminalApp app);
// The application's name as messages show it (the system terminal is "ターミナル").
QString displayName(TerminalApp app);
std::optional<TerminalApp> terminalAppFromRawText(QStringView text);

} // namespace quillmere
