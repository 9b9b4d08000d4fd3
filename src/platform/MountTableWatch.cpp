#include "MountTableWatch.h"

#include <fcntl.h>
#include <unistd.h>

namespace quillmere {

MountTableWatch::MountTableWatch()
    : m_fd(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {}

MountTableWatch::~MountTableWatch() {
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace quillmere
