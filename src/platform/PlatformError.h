#pragma once

#include <QString>

#include <exception>

namespace quillmere {

// How the rest of the program tells platform failures apart.
enum class ErrorClass {
    permission, // the call was refused for lack of permission (EACCES, EPERM)
    nameExists, // an item of that name is already there (EEXIST, ENOTEMPTY)
    other,
};

// A failed platform call: the errno value, its readable description, and the path it
// concerned. Thrown by the platform layer's file primitives.
class PlatformError final : public std::exception {
public:
    PlatformError(int code, QString path, QString context = {});

    static PlatformError fromErrno(const QString& path, const QString& context = {});
    // The item at path is no longer the one that was examined: another program replaced it.
    static PlatformError replaced(const QString& path);

    // The same failure, noting that a partial result at path could not be taken away again.
    PlatformError leavingBehind(const QString& path) const;
    // Empty unless the failed call left something behind that the caller did not have before.
    const QString& leftBehind() const { return m_leftBehind; }

    int code() const { return m_code; }
    const QString& path() const { return m_path; }
    ErrorClass errorClass() const;
    // The system's text for the errno value, with context where one was given.
    QString description() const;
    const char* what() const noexcept override { return m_what.constData(); }

    static ErrorClass classify(int code);
    static QString describe(int code);

private:
    int m_code;
    QString m_path;
    QString m_context;
    QString m_leftBehind;
    QByteArray m_what;
};

} // namespace quillmere
