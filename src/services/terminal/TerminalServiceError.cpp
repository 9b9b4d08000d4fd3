#include "services/terminal/TerminalServiceError.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString TerminalServiceError::description() const {
    return displayName(app) + u"が見つかりません。インストールしてください。"_s;
}

} // namespace quillmere
