#include "models/settings/TerminalOpenMode.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString rawText(TerminalOpenMode mode) {
    return mode == TerminalOpenMode::newWindow ? u"newWindow"_s : u"newTab"_s;
}

std::optional<TerminalOpenMode> terminalOpenModeFromRawText(QStringView text) {
    if (text == u"newWindow")
        return TerminalOpenMode::newWindow;
    if (text == u"newTab")
        return TerminalOpenMode::newTab;
    return std::nullopt;
}

} // namespace quillmere
