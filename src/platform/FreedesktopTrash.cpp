#include "FreedesktopTrash.h"

#include "Descriptor.h"
#include "HomeFolder.h"
#include "ItemMover.h"
#include "MountTable.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "WholeFileReader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QUuid>

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
            // A cache line left for an earlier folder of this name could pass for this
            // item's when its record has the same modification time.
            forgetDirectorySizes(location.directory, {candidate});
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
    QList<MadeFolder> made;
    if (missing == MissingFolders::recreate)
        made = makeParentFolders(originalPath);
    try {
        ItemMover(m_calls).renameBytes(trashed, original);
    } catch (const PlatformError&) {
        for (auto folder = made.crbegin(); folder != made.crend(); ++folder)
            removeMadeFolder(*folder);
        throw;
    }
    QStringList madePaths;
    for (const MadeFolder& folder : made)
        madePaths.append(folder.path);
    const QByteArray filesFolder = parentOf(trashed);
    if (lastComponent(filesFolder) != "files")
        return madePaths;
    const QByteArray record = parentOf(filesFolder) + "/info/" + lastComponent(trashed) + recordSuffix;
    // The item is back in place; a record left behind only lists a missing item.
    m_calls->unlink(record.constData());
    forgetDirectorySizes(parentOf(filesFolder), {lastComponent(trashed)});
    return madePaths;
}

QList<FreedesktopTrash::MadeFolder>
FreedesktopTrash::makeParentFolders(const QString& path,
                                    const std::function<void(const MadeFolder&)>& note) const {
    QList<MadeFolder> folders;
    QByteArray partial;
    const QList<QByteArray> components = parentOf(PathCodec::encode(path)).split('/');
    for (const QByteArray& component : components) {
        if (component.isEmpty())
            continue;
        partial += '/' + component;
        struct stat status;
        if (m_calls->statAt(AT_FDCWD, partial.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            continue; // anything but a folder fails the next mkdir, or the move
        MadeFolder folder{PathCodec::decode(partial), {}};
        if (note)
            note(folder);
        if (m_calls->makeDirectory(partial.constData(), 0777) != 0) {
            if (errno == EEXIST)
                continue;
            const PlatformError error = PlatformError::fromErrno(PathCodec::decode(partial));
            for (auto made = folders.crbegin(); made != folders.crend(); ++made)
                removeMadeFolder(*made);
            throw error;
        }
        if (m_calls->statAt(AT_FDCWD, partial.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            folder.identity = FileIdentity::of(status);
        folders.append(folder);
        if (note)
            note(folder);
    }
    return folders;
}

void FreedesktopTrash::removeMadeFolder(const MadeFolder& folder) const {
    const QByteArray path = PathCodec::encode(folder.path);
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, path.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(status.st_mode) ||
        (folder.identity.inode != 0 && FileIdentity::of(status) != folder.identity))
        return;
    // Fails, and so keeps the folder, when anything has been put in it meanwhile.
    m_calls->removeDirectory(path.constData());
}

std::optional<FreedesktopTrash::Record> FreedesktopTrash::readRecord(const QByteArray& recordPath) const {
    Descriptor fd(*m_calls, m_calls->open(recordPath.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK));
    struct stat status;
    if (!fd.isOpen() || m_calls->statFd(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    Record record;
    record.mode = status.st_mode & 07777;
    record.seconds = status.st_mtim.tv_sec;
    record.nanoseconds = status.st_mtim.tv_nsec;
    char buffer[4096];
    for (;;) {
        const ssize_t n = m_calls->read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        record.contents.append(buffer, n);
        if (record.contents.size() > 1024 * 1024)
            return std::nullopt; // not a record
    }
    return record;
}

void FreedesktopTrash::writeRecordBack(const QByteArray& recordPath, const Record& record) const {
    const QString path = PathCodec::decode(recordPath);
    if (!writeRecord(recordPath, record.contents, recordPath))
        throw PlatformError(EEXIST, path, trashWriteReason());
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(record.seconds), long(record.nanoseconds)}};
    Descriptor fd(*m_calls, m_calls->open(recordPath.constData(), O_WRONLY | O_NOFOLLOW));
    // The same mode and time as before, so that the cache line that goes with it holds again.
    if (!fd.isOpen() || m_calls->changeMode(fd.get(), mode_t(record.mode)) != 0 ||
        m_calls->setTimes(fd.get(), times) != 0)
        throw PlatformError::fromErrno(path, trashWriteReason());
}

void FreedesktopTrash::forgetDirectorySizes(const QByteArray& trashFolder,
                                            const QList<QByteArray>& names) const {
    const QByteArray cache = trashFolder + "/directorysizes";
    const std::optional<Record> current = readRecord(cache);
    if (!current || names.isEmpty())
        return;
    QByteArray kept;
    bool dropped = false;
    for (const QByteArray& line : current->contents.split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3 && names.contains(QByteArray::fromPercentEncoding(fields[2]))) {
            dropped = true;
            continue;
        }
        kept += line + '\n';
    }
    if (!dropped)
        return;
    const QByteArray temporary =
        trashFolder + "/.directorysizes." + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + ".tmp";
    try {
        if (!writeRecord(temporary, kept, cache))
            return;
    } catch (const PlatformError&) {
        return;
    }
    if (m_calls->rename(temporary.constData(), cache.constData()) != 0)
        m_calls->unlink(temporary.constData());
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
