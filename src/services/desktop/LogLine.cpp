#include "services/desktop/LogLine.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString LogLine::place(const char* file, const char* function, int line) {
    QString name = QString::fromUtf8(file ? file : "");
    name = name.section(u'/', -1);
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);
    return u'\t' + name.trimmed() + u'.' + QString::fromUtf8(function ? function : "") + u':' +
           QString::number(line);
}

QString LogLine::format(LogLevel level, const char* file, const char* function, int line,
                        const QString& message) {
    return logPrefix(level) + place(file, function, line) + u": "_s + message;
}

} // namespace quillmere
