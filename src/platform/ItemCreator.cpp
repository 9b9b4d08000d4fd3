#include "ItemCreator.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <QList>

#include <cerrno>
#include <fcntl.h>

namespace quillmere {

ItemCreator::ItemCreator(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void ItemCreator::createFile(const QString& path) const {
    const QByteArray bytes = PathCodec::encode(path);
    const int fd = m_calls->open(bytes.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd < 0)
        throw PlatformError::fromErrno(path);
    if (m_calls->close(fd) != 0)
        throw PlatformError::fromErrno(path);
}

void ItemCreator::createFolder(const QString& path) const {
    const QByteArray bytes = PathCodec::encode(path);
    if (m_calls->makeDirectory(bytes.constData(), 0777) != 0)
        throw PlatformError::fromErrno(path);
}

void ItemCreator::createFolderWithParents(const QString& path, mode_t mode) const {
    const QByteArray bytes = PathCodec::encode(path);
    QByteArray partial;
    const QList<QByteArray> components = bytes.split('/');
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (components[i].isEmpty())
            continue;
        partial += '/' + components[i];
        if (m_calls->makeDirectory(partial.constData(), mode) == 0 || errno == EEXIST)
            continue;
        throw PlatformError::fromErrno(PathCodec::decode(partial));
    }
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, bytes.constData(), &status, 0) != 0)
        throw PlatformError::fromErrno(path);
    if (!S_ISDIR(status.st_mode))
        throw PlatformError(ENOTDIR, path);
}

} // namespace quillmere
