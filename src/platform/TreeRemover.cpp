#include "TreeRemover.h"

#include "Descriptor.h"
#include "FolderNameReader.h"
#include "ListedEntry.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <fcntl.h>

namespace quillmere {
namespace {

[[noreturn]] void fail(const QByteArray& path) {
    throw PlatformError::fromErrno(PathCodec::decode(path));
}

} // namespace

TreeRemover::TreeRemover(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void TreeRemover::remove(const QString& path, Owner owner) const {
    int removed = 0;
    removeBytes(PathCodec::encode(path), removed, std::nullopt, owner);
}

void TreeRemover::removeBytes(const QByteArray& path) const {
    int removed = 0;
    removeBytes(path, removed);
}

void TreeRemover::removeBytes(const QByteArray& path, int& removed, std::optional<FileIdentity> expected,
                              Owner owner) const {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    if (slash < 0 || name.isEmpty() || name == "." || name == "..")
        throw PlatformError(EINVAL, PathCodec::decode(path));
    // The parent is the folder the caller named; links on the way to it are the caller's choice.
    const QByteArray parent = slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
    Descriptor parentFd(*m_calls, m_calls->open(parent.constData(), O_PATH | O_DIRECTORY));
    if (!parentFd.isOpen())
        fail(path);
    removeAt(parentFd.get(), name, path, removed, expected, owner);
}

void TreeRemover::removeAt(int parentFd, const QByteArray& name, const QByteArray& path, int& removed,
                           std::optional<FileIdentity> expected, Owner owner) const {
    struct stat status;
    if (m_calls->statAt(parentFd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        fail(path);
    if (expected && FileIdentity::of(status) != *expected)
        throw PlatformError::replaced(PathCodec::decode(path));
    if (!S_ISDIR(status.st_mode)) {
        if (m_calls->unlinkAt(parentFd, name.constData(), 0) != 0)
            fail(path);
        ++removed;
        return;
    }

    Descriptor folder(*m_calls, openFolder(parentFd, name, path, status, owner));
    if (owner == Owner::thisProgram && (status.st_mode & S_IRWXU) != S_IRWXU &&
        m_calls->changeMode(folder.get(), (status.st_mode & 07777) | S_IRWXU) != 0)
        fail(path);

    for (const QByteArray& child : FolderNameReader::readAt(*m_calls, folder.get(), path))
        removeAt(folder.get(), child, path + '/' + child, removed, std::nullopt, owner);
    if (m_calls->unlinkAt(parentFd, name.constData(), AT_REMOVEDIR) != 0)
        fail(path);
    ++removed;
}

int TreeRemover::openFolder(int parentFd, const QByteArray& name, const QByteArray& path,
                            const struct stat& status, Owner owner) const {
    constexpr int flags = O_RDONLY | O_DIRECTORY;
    try {
        return ListedEntry::open(*m_calls, parentFd, name, path, status, flags);
    } catch (const PlatformError& error) {
        if (error.code() != EACCES || owner != Owner::thisProgram)
            throw;
    }
    // A folder this program made without read permission: give it back through a
    // descriptor of that very folder, so a swapped-in link cannot redirect the change.
    {
        Descriptor handle(*m_calls,
                          ListedEntry::open(*m_calls, parentFd, name, path, status, O_PATH | O_DIRECTORY));
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(handle.get());
        m_calls->changeModeAt(self.constData(), (status.st_mode & 07777) | S_IRWXU);
    }
    return ListedEntry::open(*m_calls, parentFd, name, path, status, flags);
}

} // namespace quillmere
