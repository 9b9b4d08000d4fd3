#include "ItemCreator.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {

ItemCreator::ItemCreator(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void ItemCreator::createFile(const QString& path) const {
    const QByteArray bytes = PathCodec::encode(path);
    const int fd = m_calls->open(bytes.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
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

} // namespace quillmere
