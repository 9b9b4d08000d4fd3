#include "InotifyWatch.h"

#include "PathCodec.h"

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace quillmere {

InotifyWatch::InotifyWatch(const QString& folder) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return;
    // IN_MODIFY and IN_ATTRIB stay out: writing into a file must not reload the listing.
    constexpr uint32_t mask =
        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (inotify_add_watch(fd, PathCodec::encode(folder).constData(), mask) < 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

InotifyWatch::~InotifyWatch() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InotifyWatch::drainEvents() {
    // Events are only counted, never parsed: every one of them means "reload".
    alignas(inotify_event) char buffer[4096];
    bool any = false;
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            any = true;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return any;
    }
}

} // namespace quillmere
