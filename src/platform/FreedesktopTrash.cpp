#include "FreedesktopTrash.h"

#include "HomeFolder.h"
#include "ItemMover.h"
#include "MountTable.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "WholeFileReader.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

constexpr qsizetype maximumNameBytes = 255;
const QByteArray recordSuffix = QByteArrayLiteral(".trashinfo");

QString noTrashReason() {
    return QCoreApplication::translate("FreedesktopTrash", "This volume has no usable trash");
}

QString trashWriteReason() {
    return QCoreApplication::translate("FreedesktopTrash", "Could not write to the trash");
}

QByteArray lastComponent(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The name an item gets in files/: its own name, shortened where the record name
// would pass the file-name limit, and numbered when the name is taken.
QByteArray candidateName(const QByteArray& name, int attempt) {
    const QByteArray number = attempt == 1 ? QByteArray() : '.' + QByteArray::number(attempt);
    const qsizetype room = maximumNameBytes - recordSuffix.size() - number.size();
    QByteArray stem = name;
    if (stem.size() > room) {
        qsizetype cut = room;
        // Cut before a UTF-8 continuation byte, never inside a character.
        while (cut > 0 && (uchar(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.truncate(cut);
    }
    return stem + number;
}

} // namespace

FreedesktopTrash::FreedesktopTrash(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

QString FreedesktopTrash::trash(const QString& path,
                                const std::function<void(const QString&)>& aboutToUse) const {
    const QByteArray typed = PathCodec::encode(path);
    // The item's volume is the one its real parent folder is on: a link on the way to it
    // may lead to another volume than the typed path suggests. The item itself may be a
    // link; it is trashed as the link.
    const QByteArray realParent = m_calls->resolvePath(parentOf(typed).constData());
    if (realParent.isEmpty())
        throw PlatformError::fromErrno(path);
    const QByteArray name = lastComponent(typed);
    const QByteArray item = (realParent == "/" ? QByteArray() : realParent) + '/' + name;
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, item.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        throw PlatformError::fromErrno(path);

    const MountTable mounts = MountTable::current();
    const std::optional<Mount> mount = mounts.mountContaining(realParent);
    // Renaming on a read-only mount fails with EXDEV or EROFS depending on the trash
    // chosen; the user should read the real reason.
    if (mount && mount->options.contains("ro"))
        throw PlatformError(EROFS, path);
    const Location location = locationFor(item, status, mount);
    const QByteArray files = location.directory + "/files";
    const QByteArray info = location.directory + "/info";
    ensureFolder(files, item);
    ensureFolder(info, item);

    QByteArray recordedPath = item;
    if (!location.topDirectory.isEmpty())
        recordedPath = item.mid(location.topDirectory == "/" ? 1 : location.topDirectory.size() + 1);
    const QByteArray contents =
        "[Trash Info]\nPath=" + recordedPath.toPercentEncoding("/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(u"yyyy-MM-ddTHH:mm:ss"_s).toLatin1() + "\n";

    // The bound only guards against a trash that refuses every name.
    for (int attempt = 1; attempt <= 100000; ++attempt) {
        const QByteArray candidate = candidateName(name, attempt);
        const QByteArray record = info + '/' + candidate + recordSuffix;
        const QByteArray target = files + '/' + candidate;
        if (aboutToUse)
            aboutToUse(PathCodec::decode(target));
        if (!writeRecord(record, contents, item))
            continue; // that record name is taken
        try {
            ItemMover(m_calls).renameBytes(item, target);
            return PathCodec::decode(target);
        } catch (const PlatformError& error) {
            m_calls->unlink(record.constData());
            if (error.code() == EEXIST)
                continue;
            if (error.code() == EXDEV)
                throw PlatformError(error.code(), path, noTrashReason());
            throw;
        }
    }
    throw PlatformError(EEXIST, path, noTrashReason());
}

QStringList FreedesktopTrash::restore(const QString& trashedPath, const QString& originalPath,
                                      MissingFolders missing) const {
    const QByteArray trashed = PathCodec::encode(trashedPath);
    const QByteArray original = PathCodec::encode(originalPath);
    QStringList made;
    if (missing == MissingFolders::recreate) {
        // The exclusive mkdir is the existence check: only folders this call made are named.
        QByteArray partial;
        const QList<QByteArray> components = parentOf(original).split('/');
        for (const QByteArray& component : components) {
            if (component.isEmpty())
                continue;
            partial += '/' + component;
            if (m_calls->makeDirectory(partial.constData(), 0777) == 0)
                made.append(PathCodec::decode(partial));
            else if (errno != EEXIST)
                throw PlatformError::fromErrno(PathCodec::decode(partial));
        }
    }
    try {
        ItemMover(m_calls).renameBytes(trashed, original);
    } catch (const PlatformError&) {
        for (auto folder = made.crbegin(); folder != made.crend(); ++folder)
            m_calls->removeDirectory(PathCodec::encode(*folder).constData());
        throw;
    }
    const QByteArray filesFolder = parentOf(trashed);
    if (lastComponent(filesFolder) != "files")
        return made;
    const QByteArray record = parentOf(filesFolder) + "/info/" + lastComponent(trashed) + recordSuffix;
    // The item is back in place; a record left behind only lists a missing item.
    m_calls->unlink(record.constData());
    return made;
}

void FreedesktopTrash::forgetUnfinished(const QString& trashedPath, const QString& originalPath) const {
    const QByteArray trashed = PathCodec::encode(trashedPath);
    const QByteArray filesFolder = parentOf(trashed);
    if (lastComponent(filesFolder) != "files")
        return;
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, trashed.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT)
        return;
    const QByteArray record = parentOf(filesFolder) + "/info/" + lastComponent(trashed) + recordSuffix;
    const std::optional<QByteArray> contents = WholeFileReader(m_calls).read(PathCodec::decode(record));
    if (!contents)
        return;
    QByteArray recorded;
    for (const QByteArray& line : contents->split('\n'))
        if (line.startsWith("Path="))
            recorded = QByteArray::fromPercentEncoding(line.mid(5));
    const QByteArray original = PathCodec::encode(originalPath);
    const bool ours =
        contents->isEmpty() || recorded == original ||
        (!recorded.isEmpty() && !recorded.startsWith('/') && original.endsWith(QByteArray('/' + recorded)));
    if (ours)
        m_calls->unlink(record.constData());
}

FreedesktopTrash::Location FreedesktopTrash::locationFor(const QByteArray& path, const struct stat& status,
                                                         const std::optional<Mount>& mount) const {
    // The home trash serves the file system that holds it (or would hold it).
    QByteArray probe = HomeFolder::dataHomeBytes() + "/Trash";
    struct stat homeStatus;
    while (m_calls->statAt(AT_FDCWD, probe.constData(), &homeStatus, 0) != 0 && probe != "/")
        probe = parentOf(probe);
    if (homeStatus.st_dev == status.st_dev)
        return homeTrash();

    if (!mount)
        throw PlatformError(ENOENT, PathCodec::decode(path), noTrashReason());
    if (mount->hasOption("x-gvfs-notrash"))
        throw PlatformError(ENOTSUP, PathCodec::decode(path), noTrashReason());
    // A trash folder is only ever made on the item's own volume.
    struct stat top;
    if (m_calls->statAt(AT_FDCWD, mount->mountPoint.constData(), &top, 0) != 0 || top.st_dev != status.st_dev)
        throw PlatformError(EXDEV, PathCodec::decode(path), noTrashReason());
    return {volumeTrash(mount->mountPoint, path), mount->mountPoint};
}

FreedesktopTrash::Location FreedesktopTrash::homeTrash() const {
    const QByteArray dataHome = HomeFolder::dataHomeBytes();
    const QByteArray directory = dataHome + "/Trash";
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, directory.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        // Missing parents of the data folder are created the way XDG programs do.
        QByteArray partial;
        for (const QByteArray& component : dataHome.split('/')) {
            if (component.isEmpty())
                continue;
            partial += '/' + component;
            m_calls->makeDirectory(partial.constData(), 0700);
        }
    }
    ensureFolder(directory, dataHome);
    return {directory, {}};
}

QByteArray FreedesktopTrash::volumeTrash(const QByteArray& topDirectory, const QByteArray& forPath) const {
    const QByteArray uid = QByteArray::number(getuid());
    const QByteArray base = topDirectory == "/" ? QByteArray() : topDirectory;
    const QByteArray shared = base + "/.Trash";
    struct stat status;
    // An administrator-made .Trash is used only when it is a real sticky folder.
    if (m_calls->statAt(AT_FDCWD, shared.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX)) {
        const QByteArray own = shared + '/' + uid;
        try {
            ensureFolder(own, forPath);
            return own;
        } catch (const PlatformError&) {
            // Fall back to the per-user trash below.
        }
    }
    const QByteArray personal = base + "/.Trash-" + uid;
    ensureFolder(personal, forPath);
    return personal;
}

void FreedesktopTrash::ensureFolder(const QByteArray& path, const QByteArray& forPath) const {
    if (m_calls->makeDirectory(path.constData(), 0700) == 0)
        return;
    if (errno != EEXIST)
        throw PlatformError(errno, PathCodec::decode(forPath), trashWriteReason());
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, path.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        throw PlatformError(errno, PathCodec::decode(forPath), trashWriteReason());
    // A link or a foreign folder in place of the trash could send items elsewhere.
    if (!S_ISDIR(status.st_mode) || status.st_uid != getuid())
        throw PlatformError(ENOTDIR, PathCodec::decode(forPath), trashWriteReason());
}

bool FreedesktopTrash::writeRecord(const QByteArray& recordPath, const QByteArray& contents,
                                   const QByteArray& forPath) const {
    const int fd = m_calls->open(recordPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throw PlatformError(errno, PathCodec::decode(forPath), trashWriteReason());
    }
    qsizetype written = 0;
    while (written < contents.size()) {
        const ssize_t n =
            m_calls->write(fd, contents.constData() + written, size_t(contents.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            m_calls->close(fd);
            m_calls->unlink(recordPath.constData());
            throw PlatformError(saved, PathCodec::decode(forPath), trashWriteReason());
        }
        written += n;
    }
    if (m_calls->close(fd) != 0) {
        const int saved = errno;
        m_calls->unlink(recordPath.constData());
        throw PlatformError(saved, PathCodec::decode(forPath), trashWriteReason());
    }
    return true;
}

} // namespace quillmere
