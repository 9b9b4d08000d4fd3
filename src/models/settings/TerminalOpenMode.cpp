#include "models/settings/TerminalOpenMode.h"

namespace quillmere {

QString rawText(TerminalOpenMode mode) {
    return mode == TerminalOpenMode::newWindow ? QStringLiteral("newWindow") : QStringLiteral("newTab");
}

std::optional<TerminalOpenMode> terminalOpenModeFromRawText(QStringView text) {
    if (text == u"newWindow")
        return TerminalOpenMode::newWindow;
    if (text == u"newTab")
        return TerminalOpenMode::newTab;
    return std::nullopt;
}

} // namespace quillmere
