#pragma once

#include <QString>

#include <optional>

namespace quillmere {

// Whether a terminal opens the folder in a new window or a new tab.
enum class TerminalOpenMode { newWindow, newTab };

QString rawText(TerminalOpenMode mode);
std::optional<TerminalOpenMode> terminalOpenModeFromRawText(QStringView text);

} // namespace quillmere
