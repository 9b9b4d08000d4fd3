#pragma once

#include <QString>

namespace quillmere {

// One folder watched through its own inotify instance, for changes to the folder's
// list of entries and to the folder itself (deleted or moved). Changes inside files
// (contents, attributes) and inside subfolders are not reported.
//
// The descriptor is non-blocking and closed with the object; it is what a socket
// notifier waits on.
class InotifyWatch final {
public:
    // Nothing is watched when the path is not a folder that can be watched; see isValid().
    explicit InotifyWatch(const QString& folder);
    ~InotifyWatch();
    InotifyWatch(const InotifyWatch&) = delete;
    InotifyWatch& operator=(const InotifyWatch&) = delete;

    bool isValid() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }

    // Reads every pending event; true when at least one arrived.
    bool drainEvents();

private:
    int m_fd = -1;
};

} // namespace quillmere
