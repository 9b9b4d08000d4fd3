#pragma once

namespace quillmere {

// An open descriptor of /proc/self/mountinfo. The kernel marks it with a priority event
// (POLLPRI, an "exceptional condition" for select) each time something is mounted or
// unmounted in this process's mount namespace; a socket notifier of the Exception type
// waits on it. Reporting the event clears it, so nothing has to be read.
class MountTableWatch final {
public:
    MountTableWatch();
    ~MountTableWatch();
    MountTableWatch(const MountTableWatch&) = delete;
    MountTableWatch& operator=(const MountTableWatch&) = delete;

    bool isValid() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace quillmere
