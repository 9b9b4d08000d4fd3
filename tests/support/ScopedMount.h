#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace quillmere::test {

// A mount made by a test inside its private mount namespace, taken away again when
// the object goes. A mount that could not be made is empty and says why.
class ScopedMount final {
public:
    ScopedMount() = default;
    ~ScopedMount();
    ScopedMount(ScopedMount&& other) noexcept;
    ScopedMount& operator=(ScopedMount&& other) noexcept;

    // A tmpfs with the given options, for example "size=128k".
    static ScopedMount tmpfs(const QByteArray& point, const QByteArray& options);
    // source shown again at point, read-only.
    static ScopedMount readOnlyBind(const QByteArray& source, const QByteArray& point);
    // A FUSE driver run in the foreground, so it ends with the mount or with this process.
    static ScopedMount fuse(const QByteArray& point, const QString& driver, const QStringList& arguments);

    bool isMounted() const { return !m_point.isEmpty(); }
    const QString& error() const { return m_error; }
    // The file-system type /proc/self/mountinfo shows for the mount point.
    static QByteArray typeAt(const QByteArray& point);

private:
    static ScopedMount failure(QString reason);
    void release();

    QByteArray m_point;
    QString m_error;
    std::unique_ptr<QProcess> m_driver;
};

} // namespace quillmere::test
