#pragma once

#include "services/desktop/LogLevel.h"

#include <QString>

namespace quillmere {

// The text of one log line: the level prefix, the place in the program and the
// message, as in "💀 [ERROR]\tContentView.openInTerminal:503: Terminal error: …".
namespace LogLine {

// A tab, the source file's name without folder and extension, ".", the
// function, ":" and the line number.
QString place(const char* file, const char* function, int line);

QString format(LogLevel level, const char* file, const char* function, int line, const QString& message);

} // namespace LogLine

} // namespace quillmere
