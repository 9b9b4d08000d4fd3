#pragma once

#include <QString>

namespace quillmere {

// How serious a log line is, from chatty to fatal-to-the-operation.
enum class LogLevel { verbose, debug, info, warn, error };

// The fixed text a log line of this level starts with, for example "💀 [ERROR]".
QString logPrefix(LogLevel level);

} // namespace quillmere
