#pragma once

#include "services/desktop/LogLevel.h"

#include <QLoggingCategory>
#include <QString>

namespace quillmere {

// The log categories, under the application's identifier "org.quillmere.Quillmere":
// "UI" traces keys and commands of the main view, "Terminal" records terminal failures.
const QLoggingCategory& logUI();
const QLoggingCategory& logTerminal();

// Writes log lines through Qt's logging, so the usual rules (QT_LOGGING_RULES,
// qtlogging.ini) decide what is shown. debug is written as Qt's info type and error
// as its critical type; verbose, info and warn map to debug, info and warning. A
// type the category has disabled writes nothing; there is no other filtering.
namespace Logger {

void write(const QLoggingCategory& category, LogLevel level, const QString& message, const char* file,
           const char* function, int line);

} // namespace Logger

} // namespace quillmere

// Logs with the caller's file, function and line filled in.
#define QUILLMERE_LOG(category, level, message)                                                              \
    ::quillmere::Logger::write((category), (level), (message), __FILE__, __func__, __LINE__)
