#pragma once

#include "SystemCalls.h"

#include <utility>

namespace quillmere {

// Owns one open descriptor and closes it on every way out of a scope.
class Descriptor final {
public:
    Descriptor(SystemCalls& calls, int fd)
        : m_calls(&calls)
        , m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            m_calls->close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept
        : m_calls(other.m_calls)
        , m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            if (m_fd >= 0)
                m_calls->close(m_fd);
            m_calls = other.m_calls;
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }

private:
    SystemCalls* m_calls;
    int m_fd;
};

} // namespace quillmere
