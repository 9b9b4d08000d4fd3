#include "services/desktop/LogLevel.h"

namespace quillmere {

QString logPrefix(LogLevel level) {
    switch (level) {
    case LogLevel::verbose: return QStringLiteral("⚙️ [VERBOSE]");
    case LogLevel::debug: return QStringLiteral("⚒️ [DEBUG]");
    case LogLevel::info: return QStringLiteral("🛈 [INFO]");
    case LogLevel::warn: return QStringLiteral("✋🏻 [WARN]");
    case LogLevel::error: return QStringLiteral("💀 [ERROR]");
    }
    return {};
}

} // namespace quillmere
