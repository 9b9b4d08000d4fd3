#include "TreeCopier.h"

#include "FolderNames.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "TreeRemover.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <vector>

namespace quillmere {
namespace {

constexpr mode_t permissionBits = 07777;
constexpr size_t bufferSize = 1 << 20;

[[noreturn]] void fail(const QByteArray& path, const QString& context = {}) {
    throw PlatformError::fromErrno(PathCodec::decode(path), context);
}

// Errors that mean "this file system cannot do it this way", not "the copy failed".
bool isUnsupported(int code) {
    return code == EOPNOTSUPP || code == ENOTTY || code == EXDEV || code == EINVAL || code == ENOSYS ||
           code == EBADF;
}

// Closes a descriptor on every path out of a scope.
class Descriptor {
public:
    Descriptor(SystemCalls& calls, int fd)
        : m_calls(calls)
        , m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            m_calls.close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    SystemCalls& m_calls;
    int m_fd;
};

} // namespace

TreeCopier::TreeCopier(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void TreeCopier::copy(const QString& source, const QString& destination) const {
    copyBytes(PathCodec::encode(source), PathCodec::encode(destination));
}

void TreeCopier::copyBytes(const QByteArray& source, const QByteArray& destination) const {
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, source.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        fail(source);
    // Refuse up front so that the clean-up below can never touch an item that was already there.
    struct stat existing;
    if (m_calls->statAt(AT_FDCWD, destination.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        throw PlatformError(EEXIST, PathCodec::decode(destination));
    try {
        copyNode(source, destination, status);
    } catch (...) {
        // Whatever part of the copy exists was created by this call.
        if (m_calls->statAt(AT_FDCWD, destination.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            try {
                TreeRemover(m_calls).removeBytes(destination);
            } catch (const PlatformError&) {
            }
        }
        throw;
    }
}

void TreeCopier::copyNode(const QByteArray& source, const QByteArray& destination,
                          const struct stat& status) const {
    const mode_t type = status.st_mode & S_IFMT;
    switch (type) {
    case S_IFDIR: copyFolder(source, destination, status); return;
    case S_IFREG: copyFile(source, destination, status); return;
    case S_IFLNK: copySymlink(source, destination, status); return;
    case S_IFIFO:
        if (m_calls->makeFifo(destination.constData(), status.st_mode & permissionBits) != 0)
            fail(destination);
        break;
    default:
        if (m_calls->makeNode(destination.constData(), status.st_mode, status.st_rdev) != 0)
            fail(source, QCoreApplication::translate("TreeCopier", "Cannot recreate a special file"));
        break;
    }
    // mkfifo and mknod apply the umask, which may have taken bits the source has.
    if (m_calls->changeModeAt(destination.constData(), status.st_mode & permissionBits) != 0)
        fail(destination);
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (m_calls->setTimesAt(destination.constData(), times) != 0)
        fail(destination);
}

void TreeCopier::copyFolder(const QByteArray& source, const QByteArray& destination,
                            const struct stat& status) const {
    // Owner-only until complete, so that the contents can be written whatever the source mode is.
    if (m_calls->makeDirectory(destination.constData(), 0700) != 0)
        fail(destination);
    for (const QByteArray& name : FolderNames::read(*m_calls, source)) {
        const QByteArray child = source + '/' + name;
        struct stat childStatus;
        if (m_calls->statAt(AT_FDCWD, child.constData(), &childStatus, AT_SYMLINK_NOFOLLOW) != 0)
            fail(child);
        copyNode(child, destination + '/' + name, childStatus);
    }
    if (m_calls->changeModeAt(destination.constData(), status.st_mode & permissionBits) != 0)
        fail(destination);
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (m_calls->setTimesAt(destination.constData(), times) != 0)
        fail(destination);
}

void TreeCopier::copySymlink(const QByteArray& source, const QByteArray& destination,
                             const struct stat& status) const {
    QByteArray target(qsizetype(status.st_size) + 1, '\0');
    for (;;) {
        const ssize_t length = m_calls->readLink(source.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            fail(source);
        if (length < target.size()) {
            target.truncate(length);
            break;
        }
        target.resize(target.size() * 2); // the link changed since it was examined
    }
    if (m_calls->makeSymlink(target.constData(), destination.constData()) != 0)
        fail(destination);
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    // Some file systems keep no times on links; the link itself is what matters.
    m_calls->setTimesAt(destination.constData(), times);
}

void TreeCopier::copyFile(const QByteArray& source, const QByteArray& destination,
                          const struct stat& status) const {
    Descriptor in(*m_calls, m_calls->open(source.constData(), O_RDONLY | O_NOFOLLOW));
    if (in.get() < 0)
        fail(source);
    Descriptor out(*m_calls,
                   m_calls->open(destination.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
    if (out.get() < 0)
        fail(destination);
    try {
        copyContents(in.get(), out.get(), status, source);
        if (m_calls->changeMode(out.get(), status.st_mode & permissionBits) != 0)
            fail(destination);
        const struct timespec times[2] = {status.st_atim, status.st_mtim};
        if (m_calls->setTimes(out.get(), times) != 0)
            fail(destination);
        // A failed close can be the first report of a failed write (NFS, quotas).
        if (m_calls->close(out.release()) != 0)
            fail(destination);
    } catch (...) {
        if (out.get() >= 0)
            m_calls->close(out.release());
        m_calls->unlink(destination.constData());
        throw;
    }
}

void TreeCopier::copyContents(int in, int out, const struct stat& status, const QByteArray& source) const {
    if (m_calls->cloneFile(out, in) == 0)
        return;
    if (!isUnsupported(errno))
        fail(source);

    const off_t size = status.st_size;
    bool kernelCopy = true;
    const bool mayHaveHoles = off_t(status.st_blocks) * 512 < size;
    if (!mayHaveHoles) {
        copyRange(in, out, 0, size, kernelCopy, source);
        return;
    }
    off_t offset = 0;
    while (offset < size) {
        const off_t dataStart = m_calls->seek(in, offset, SEEK_DATA);
        if (dataStart < 0) {
            if (errno == ENXIO)
                break; // only a hole remains
            if (!isUnsupported(errno))
                fail(source);
            copyRange(in, out, offset, size, kernelCopy, source);
            offset = size;
            break;
        }
        off_t holeStart = m_calls->seek(in, dataStart, SEEK_HOLE);
        if (holeStart < 0)
            fail(source);
        holeStart = std::min(holeStart, size);
        copyRange(in, out, dataStart, holeStart, kernelCopy, source);
        offset = holeStart;
    }
    // Extends the file over a trailing hole without writing it.
    if (m_calls->truncate(out, size) != 0)
        fail(source);
}

void TreeCopier::copyRange(int in, int out, off_t from, off_t to, bool& kernelCopy,
                           const QByteArray& source) const {
    off_t inOffset = from;
    off_t outOffset = from;
    while (kernelCopy && inOffset < to) {
        const ssize_t copied = m_calls->copyRange(in, &inOffset, out, &outOffset, size_t(to - inOffset));
        if (copied < 0) {
            if (!isUnsupported(errno))
                fail(source);
            kernelCopy = false;
            break;
        }
        if (copied == 0)
            return; // the source became shorter while it was copied
    }
    if (inOffset >= to)
        return;

    std::vector<char> buffer(bufferSize);
    if (m_calls->seek(in, inOffset, SEEK_SET) < 0 || m_calls->seek(out, inOffset, SEEK_SET) < 0)
        fail(source);
    while (inOffset < to) {
        const ssize_t got =
            m_calls->read(in, buffer.data(), size_t(std::min<off_t>(to - inOffset, bufferSize)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(source);
        }
        if (got == 0)
            return;
        for (ssize_t written = 0; written < got;) {
            const ssize_t n = m_calls->write(out, buffer.data() + written, size_t(got - written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fail(source);
            }
            written += n;
        }
        inOffset += got;
    }
}

} // namespace quillmere
