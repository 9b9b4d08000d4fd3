#include "services/terminal/TerminalServiceError.h"

namespace quillmere {

QString TerminalServiceError::description() const {
    return displayName(app) + QStringLiteral("が見つかりません。インストールしてください。");
}

} // namespace quillmere
