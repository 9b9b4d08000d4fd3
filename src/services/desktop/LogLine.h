#pragma once

#include "services/desktop/LogLevel.h"

#include <QString>

namespace quillmere {

// The text of one log line: the level prefix, the place in the program and the
// message, as in "💀 [ERROR]\tContentView.openInTerminal:503: Terminal error: …".
class LogLine final {
public:
    // A tab, the source file's name without folder and extension, ".", the
    // function, ":" and the line number.
    static QString place(const char* file, const char* function, int line);

    static QString format(LogLevel level, const char* file, const char* function, int line,
                          const QString& message);
};

} // namespace quillmere
