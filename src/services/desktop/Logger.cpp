#include "services/desktop/Logger.h"

#include "services/desktop/LogLine.h"

namespace quillmere {

Q_LOGGING_CATEGORY(uiCategory, "org.quillmere.Quillmere.UI")
Q_LOGGING_CATEGORY(terminalCategory, "org.quillmere.Quillmere.Terminal")

const QLoggingCategory& logUI() {
    return uiCategory();
}

const QLoggingCategory& logTerminal() {
    return terminalCategory();
}

namespace {

QtMsgType messageType(LogLevel level) {
    switch (level) {
    case LogLevel::verbose: return QtDebugMsg;
    case LogLevel::debug:
    case LogLevel::info: return QtInfoMsg;
    case LogLevel::warn: return QtWarningMsg;
    case LogLevel::error: return QtCriticalMsg;
    }
    return QtInfoMsg;
}

} // namespace

void Logger::write(const QLoggingCategory& category, LogLevel level, const QString& message, const char* file,
                   const char* function, int line) {
    const QtMsgType type = messageType(level);
    if (!category.isEnabled(type))
        return;
    const QByteArray text = LogLine::format(level, file, function, line, message).toUtf8();
    const QMessageLogger logger(file, line, function, category.categoryName());
    switch (type) {
    case QtDebugMsg: logger.debug("%s", text.constData()); break;
    case QtInfoMsg: logger.info("%s", text.constData()); break;
    case QtWarningMsg: logger.warning("%s", text.constData()); break;
    default: logger.critical("%s", text.constData()); break;
    }
}

} // namespace quillmere
