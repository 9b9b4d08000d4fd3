#include "WholeFileReader.h"

#include "PathCodec.h"
#include "SystemCalls.h"

#include <cerrno>
#include <fcntl.h>

namespace quillmere {

WholeFileReader::WholeFileReader(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

bool WholeFileReader::exists(const QString& path) const {
    struct stat status;
    return m_calls->statAt(AT_FDCWD, PathCodec::encode(path).constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

std::optional<QByteArray> WholeFileReader::read(const QString& path) const {
    const int fd = m_calls->open(PathCodec::encode(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    QByteArray contents;
    char buffer[65536];
    for (;;) {
        const ssize_t n = m_calls->read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_calls->close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        contents.append(buffer, n);
    }
    m_calls->close(fd);
    return contents;
}

} // namespace quillmere
