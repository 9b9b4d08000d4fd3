#include "AtomicFileWriter.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <QUuid>

#include <cerrno>
#include <fcntl.h>

namespace quillmere {
namespace {

constexpr int maximumLinkDepth = 40; // as the kernel's own limit (ELOOP)

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

QString AtomicFileWriter::temporaryName(const QString& fileName) {
    return u'.' + fileName + u".tmp-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QByteArray AtomicFileWriter::resolveLinks(const QByteArray& path) const {
    QByteArray current = path;
    for (int depth = 0; depth < maximumLinkDepth; ++depth) {
        struct stat status;
        if (m_calls->statAt(AT_FDCWD, current.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(status.st_mode))
            return current;
        QByteArray target(4096, '\0');
        const ssize_t length = m_calls->readLink(current.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            throw PlatformError::fromErrno(PathCodec::decode(current));
        target.truncate(length);
        current = target.startsWith('/') ? target : folderOf(current) + '/' + target;
    }
    throw PlatformError(ELOOP, PathCodec::decode(path));
}

void AtomicFileWriter::write(const QString& path, const QByteArray& data) const {
    const QByteArray destination = resolveLinks(PathCodec::encode(path));
    const QByteArray folder = folderOf(destination);
    const QString name = PathCodec::decode(destination.mid(destination.lastIndexOf('/') + 1));
    const QByteArray temporary = folder + '/' + PathCodec::encode(temporaryName(name));

    // A replaced file keeps its permissions; a new one is private to the user.
    mode_t mode = 0600;
    struct stat existing;
    if (m_calls->statAt(AT_FDCWD, destination.constData(), &existing, 0) == 0)
        mode = existing.st_mode & 07777;

    try {
        writeAndSync(temporary, data, mode);
        if (m_calls->rename(temporary.constData(), destination.constData()) != 0)
            throw PlatformError::fromErrno(path);
    } catch (...) {
        m_calls->unlink(temporary.constData());
        throw;
    }
    // The rename is done; flushing the folder only makes it survive a power cut.
    const int folderFd = m_calls->open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        m_calls->sync(folderFd);
        m_calls->close(folderFd);
    }
}

void AtomicFileWriter::writeAndSync(const QByteArray& temporary, const QByteArray& data, mode_t mode) const {
    const QString shownPath = PathCodec::decode(temporary);
    const int fd = m_calls->open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (fd < 0)
        throw PlatformError::fromErrno(shownPath);
    auto failed = [&] {
        const int saved = errno;
        m_calls->close(fd);
        return PlatformError(saved, shownPath);
    };
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n = m_calls->write(fd, data.constData() + written, size_t(data.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw failed();
        }
        written += n;
    }
    if (m_calls->changeMode(fd, mode) != 0 || m_calls->sync(fd) != 0)
        throw failed();
    if (m_calls->close(fd) != 0)
        throw PlatformError::fromErrno(shownPath);
}

} // namespace quillmere
