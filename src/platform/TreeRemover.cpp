#include "TreeRemover.h"

#include "FolderNames.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {

TreeRemover::TreeRemover(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void TreeRemover::remove(const QString& path) const {
    removeBytes(PathCodec::encode(path));
}

void TreeRemover::removeBytes(const QByteArray& path) const {
    int removed = 0;
    removeBytes(path, removed);
}

void TreeRemover::removeBytes(const QByteArray& path, int& removed) const {
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, path.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        throw PlatformError::fromErrno(PathCodec::decode(path));
    if (!S_ISDIR(status.st_mode)) {
        if (m_calls->unlink(path.constData()) != 0)
            throw PlatformError::fromErrno(PathCodec::decode(path));
        ++removed;
        return;
    }
    // Names are collected first so no descriptor stays open while descending.
    for (const QByteArray& name : FolderNames::read(*m_calls, path))
        removeBytes(path + '/' + name, removed);
    if (m_calls->removeDirectory(path.constData()) != 0)
        throw PlatformError::fromErrno(PathCodec::decode(path));
    ++removed;
}

} // namespace quillmere
