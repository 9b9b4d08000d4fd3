#include "services/desktop/LogLevel.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString logPrefix(LogLevel level) {
    switch (level) {
    case LogLevel::verbose: return u"⚙️ [VERBOSE]"_s;
    case LogLevel::debug: return u"⚒️ [DEBUG]"_s;
    case LogLevel::info: return u"🛈 [INFO]"_s;
    case LogLevel::warn: return u"✋🏻 [WARN]"_s;
    case LogLevel::error: return u"💀 [ERROR]"_s;
    }
    return {};
}

} // namespace quillmere
