#include "TreeCopier.h"

#include "AttributeCopy.h"
#include "Descriptor.h"
#include "FileContentCopy.h"
#include "FolderNameReader.h"
#include "ItemMover.h"
#include "ListedEntry.h"
#include "OperationControl.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "TreeRemover.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace quillmere {
namespace {

constexpr mode_t permissionBits = 07777;

[[noreturn]] void fail(const QByteArray& path, const QString& context = {}) {
    throw PlatformError::fromErrno(PathCodec::decode(path), context);
}

// Where one item of the walk is: the open folder holding it, its name there, and its
// full path for messages.
struct Place {
    int folder;
    const QByteArray& name;
    QByteArray path;
};

// One copy of one tree. The top item is created in destinationParent under the name
// the first place gives; everything below it is this run's own.
class TreeCopy final {
public:
    TreeCopy(SystemCalls& calls, int destinationParent, OperationControl* control)
        : m_calls(calls)
        , m_destinationParent(destinationParent)
        , m_control(control)
        , m_keepOwners(::geteuid() == 0) {}

    void copyEntry(const Place& from, const struct stat& status, const Place& to, const QByteArray& relative);

    TreeCopier::Outcome outcome;
    bool createdTop = false;

private:
    void copyFolder(const Place& from, const struct stat& status, const Place& to,
                    const QByteArray& relative);
    void copyFile(const Place& from, const struct stat& status, const Place& to, const QByteArray& relative);
    void copyLink(const Place& from, const struct stat& status, const Place& to);
    void copySpecial(const Place& from, const struct stat& status, const Place& to);
    void created(const Place& to);
    void finish(int fd, const struct stat& status, const QByteArray& path);
    void keepOwner(const Place& to, const struct stat& status);

    SystemCalls& m_calls;
    int m_destinationParent;
    OperationControl* m_control;
    bool m_keepOwners;
    // Files with several names in the source, by identity: the path of their first copy,
    // relative to the destination's parent, so the next name becomes a link to it.
    std::map<std::pair<dev_t, ino_t>, QByteArray> m_linked;
};

void TreeCopy::copyEntry(const Place& from, const struct stat& status, const Place& to,
                         const QByteArray& relative) {
    checkCancelled(m_control, from.path);
    switch (status.st_mode & S_IFMT) {
    case S_IFDIR: copyFolder(from, status, to, relative); break;
    case S_IFREG: copyFile(from, status, to, relative); break;
    case S_IFLNK: copyLink(from, status, to); break;
    default: copySpecial(from, status, to); break;
    }
    advanceItems(m_control);
}

// Called right after an item was created exclusively: from here on a failure removes it.
void TreeCopy::created(const Place& to) {
    if (to.folder != m_destinationParent || createdTop)
        return;
    createdTop = true;
    struct stat status;
    if (m_calls.statAt(to.folder, to.name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        outcome.copy = FileIdentity::of(status);
}

void TreeCopy::copyFolder(const Place& from, const struct stat& status, const Place& to,
                          const QByteArray& relative) {
    Descriptor in(m_calls, ListedEntry::open(m_calls, from.folder, from.name, from.path, status,
                                             O_RDONLY | O_DIRECTORY));
    // Owner-only until complete, so that the contents can be written whatever the source mode is.
    if (m_calls.makeDirectoryAt(to.folder, to.name.constData(), 0700) != 0)
        fail(to.path);
    created(to);
    Descriptor out(m_calls,
                   m_calls.openAt(to.folder, to.name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
    if (!out.isOpen())
        fail(to.path);
    for (const QByteArray& name : FolderNameReader::readAt(m_calls, in.get(), from.path)) {
        const Place child{in.get(), name, from.path + '/' + name};
        struct stat childStatus;
        if (m_calls.statAt(in.get(), name.constData(), &childStatus, AT_SYMLINK_NOFOLLOW) != 0)
            fail(child.path);
        copyEntry(child, childStatus, {out.get(), name, to.path + '/' + name}, relative + '/' + name);
    }
    outcome.droppedAttributes += AttributeCopy::run(m_calls, in.get(), out.get(), to.path);
    finish(out.get(), status, to.path);
}

void TreeCopy::copyFile(const Place& from, const struct stat& listed, const Place& to,
                        const QByteArray& relative) {
    // O_NONBLOCK: should a FIFO have taken the file's place, opening it must not wait for a writer.
    Descriptor in(m_calls, ListedEntry::open(m_calls, from.folder, from.name, from.path, listed,
                                             O_RDONLY | O_NONBLOCK));
    struct stat status;
    if (m_calls.statFd(in.get(), &status) != 0)
        fail(from.path);
    const auto identity = std::pair(status.st_dev, status.st_ino);
    if (status.st_nlink > 1) {
        if (const auto first = m_linked.find(identity); first != m_linked.end()) {
            if (m_calls.linkAt(m_destinationParent, first->second.constData(), to.folder,
                               to.name.constData()) != 0)
                fail(to.path);
            advanceBytes(m_control, status.st_size); // counted in the totals once per name
            return;
        }
    }
    Descriptor out(m_calls, m_calls.openAt(to.folder, to.name.constData(),
                                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
    if (!out.isOpen())
        fail(to.path);
    created(to);
    FileContentCopy::run(m_calls, in.get(), out.get(), status, from.path, m_control);
    outcome.droppedAttributes += AttributeCopy::run(m_calls, in.get(), out.get(), to.path);
    finish(out.get(), status, to.path);
    // A failed close can be the first report of a failed write (NFS, quotas).
    if (m_calls.close(out.release()) != 0)
        fail(to.path);
    if (status.st_nlink > 1)
        m_linked.emplace(identity, relative);
}

void TreeCopy::copyLink(const Place& from, const struct stat& status, const Place& to) {
    QByteArray target(qsizetype(status.st_size) + 1, '\0');
    for (;;) {
        const ssize_t length =
            m_calls.readLinkAt(from.folder, from.name.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            fail(from.path);
        if (length < target.size()) {
            target.truncate(length);
            break;
        }
        target.resize(target.size() * 2); // the link changed since it was examined
    }
    if (m_calls.makeSymlinkAt(target.constData(), to.folder, to.name.constData()) != 0)
        fail(to.path);
    created(to);
    keepOwner(to, status);
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    // Some file systems keep no times on links; the link itself is what matters.
    m_calls.setTimesIn(to.folder, to.name.constData(), times);
}

void TreeCopy::copySpecial(const Place& from, const struct stat& status, const Place& to) {
    const mode_t type = status.st_mode & S_IFMT;
    if (m_calls.makeNodeAt(to.folder, to.name.constData(), type | 0600,
                           type == S_IFIFO ? 0 : status.st_rdev) != 0) {
        if (type == S_IFIFO)
            fail(to.path);
        fail(from.path, QCoreApplication::translate("TreeCopier", "Cannot recreate a special file"));
    }
    created(to);
    keepOwner(to, status);
    // The node was made with a safe mode (and the umask applied); the source's comes last.
    if (m_calls.changeModeIn(to.folder, to.name.constData(), status.st_mode & permissionBits) != 0)
        fail(to.path);
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (m_calls.setTimesIn(to.folder, to.name.constData(), times) != 0)
        fail(to.path);
}

void TreeCopy::keepOwner(const Place& to, const struct stat& status) {
    if (!m_keepOwners)
        return;
    if (m_calls.changeOwnerIn(to.folder, to.name.constData(), status.st_uid, status.st_gid) != 0)
        ++outcome.droppedOwners;
}

// Owner first, as changing it clears the set-user-ID bits; then the mode, then the times,
// which every earlier step could have touched.
void TreeCopy::finish(int fd, const struct stat& status, const QByteArray& path) {
    if (m_keepOwners && m_calls.changeOwner(fd, status.st_uid, status.st_gid) != 0)
        ++outcome.droppedOwners;
    if (m_calls.changeMode(fd, status.st_mode & permissionBits) != 0) {
        // Some FUSE file systems keep no modes at all; the copy is complete without one.
        if (errno != ENOSYS && errno != EOPNOTSUPP)
            fail(path);
        ++outcome.droppedAttributes;
    }
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (m_calls.setTimes(fd, times) != 0)
        fail(path);
}

struct Split {
    QByteArray parent;
    QByteArray name;
};

Split split(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    Split result{slash <= 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
    if (slash < 0 || result.name.isEmpty() || result.name == "." || result.name == "..")
        throw PlatformError(EINVAL, PathCodec::decode(path));
    return result;
}

} // namespace

TreeCopier::TreeCopier(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

TreeCopier::Outcome TreeCopier::copy(const QString& source, const QString& destination,
                                     const CopyOptions& options) const {
    return copyBytes(PathCodec::encode(source), PathCodec::encode(destination), options);
}

TreeCopier::Outcome TreeCopier::copyBytes(const QByteArray& source, const QByteArray& destination,
                                          const CopyOptions& options) const {
    const Split from = split(source);
    const Split to = split(destination);
    // The two parents are the folders the caller named; links on the way to them are its choice.
    Descriptor sourceParent(*m_calls, m_calls->open(from.parent.constData(), O_PATH | O_DIRECTORY));
    if (!sourceParent.isOpen())
        fail(source);
    Descriptor destinationParent(*m_calls, m_calls->open(to.parent.constData(), O_PATH | O_DIRECTORY));
    if (!destinationParent.isOpen())
        fail(destination);
    struct stat status;
    if (m_calls->statAt(sourceParent.get(), from.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        fail(source);

    const bool viaTemporary = !options.temporaryName.isEmpty();
    const QByteArray& madeName = viaTemporary ? options.temporaryName : to.name;
    const QByteArray madePath = viaTemporary ? to.parent + '/' + options.temporaryName : destination;
    TreeCopy run(*m_calls, destinationParent.get(), options.control);
    run.outcome.source = FileIdentity::of(status);
    const auto cleanUp = [&](const PlatformError& error) {
        // Only what this run created goes, and only while it is still that item.
        if (!run.createdTop)
            return error;
        try {
            int removed = 0;
            TreeRemover(m_calls).removeAt(destinationParent.get(), madeName, madePath, removed,
                                          run.outcome.copy, TreeRemover::Owner::thisProgram);
            return error;
        } catch (const PlatformError&) {
            return error.leavingBehind(PathCodec::decode(madePath));
        }
    };
    try {
        run.copyEntry({sourceParent.get(), from.name, source}, status,
                      {destinationParent.get(), madeName, madePath}, madeName);
        if (options.completed)
            options.completed(run.outcome.copy);
        if (viaTemporary)
            renameIntoPlace(madePath, destination);
    } catch (const PlatformError& error) {
        throw cleanUp(error);
    } catch (...) {
        cleanUp(PlatformError(EIO, PathCodec::decode(destination)));
        throw;
    }
    return run.outcome;
}

// Through the mover, which knows the file systems that cannot rename without replacing.
void TreeCopier::renameIntoPlace(const QByteArray& temporaryPath, const QByteArray& path) const {
    ItemMover(m_calls).renameBytes(temporaryPath, path);
}

} // namespace quillmere
