#include "PathProbe.h"

#include "PathCodec.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {

PathProbe::PathProbe()
    : PathProbe(SystemCalls::real()) {}

PathProbe::PathProbe(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

bool PathProbe::exists(const QString& path) const {
    struct stat status;
    return m_calls->statAt(AT_FDCWD, PathCodec::encode(path).constData(), &status, 0) == 0;
}

std::optional<FileIdentity> PathProbe::identity(const QString& path) const {
    if (path.isEmpty())
        return std::nullopt;
    struct stat status;
    const QByteArray bytes = PathCodec::encode(path);
    if (m_calls->statAt(AT_FDCWD, bytes.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileIdentity::of(status);
}

bool PathProbe::isFolder(const QString& path) const {
    struct stat status;
    const QByteArray bytes = PathCodec::encode(path);
    return m_calls->statAt(AT_FDCWD, bytes.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(status.st_mode);
}

} // namespace quillmere
