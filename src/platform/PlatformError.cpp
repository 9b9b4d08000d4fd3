#include "PlatformError.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace quillmere {

PlatformError::PlatformError(int code, QString path, QString context)
    : m_code(code)
    , m_path(std::move(path))
    , m_context(std::move(context))
    , m_what(description().toUtf8()) {}

PlatformError PlatformError::fromErrno(const QString& path, const QString& context) {
    return PlatformError(errno, path, context);
}

PlatformError PlatformError::replaced(const QString& path) {
    return PlatformError(
        ESTALE, path, QCoreApplication::translate("PlatformError", "Replaced by another program meanwhile"));
}

PlatformError PlatformError::leavingBehind(const QString& path) const {
    PlatformError error(*this);
    error.m_leftBehind = path;
    return error;
}

ErrorClass PlatformError::errorClass() const {
    return classify(m_code);
}

ErrorClass PlatformError::classify(int code) {
    switch (code) {
    case EACCES:
    case EPERM: return ErrorClass::permission;
    case EEXIST:
    case ENOTEMPTY: return ErrorClass::nameExists;
    default: return ErrorClass::other;
    }
}

QString PlatformError::describe(int code) {
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not be the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

QString PlatformError::description() const {
    const QString text = describe(m_code);
    return m_context.isEmpty() ? text : m_context + u": "_s + text;
}

} // namespace quillmere
