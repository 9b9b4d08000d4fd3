#include "TrashListing.h"

#include "FolderNameReader.h"
#include "HomeFolder.h"
#include "MountTable.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "TreeMeasure.h"
#include "WholeFileReader.h"

#include <QHash>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

const QByteArray recordSuffix = QByteArrayLiteral(".trashinfo");

struct Record {
    QByteArray path;
    QDateTime deletionDate;
};

std::optional<Record> parseRecord(const QByteArray& contents) {
    const QList<QByteArray> lines = contents.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != "[Trash Info]")
        return std::nullopt;
    Record record;
    for (const QByteArray& line : lines) {
        if (line.startsWith("Path="))
            record.path = QByteArray::fromPercentEncoding(line.mid(5).trimmed());
        else if (line.startsWith("DeletionDate="))
            record.deletionDate =
                QDateTime::fromString(QString::fromLatin1(line.mid(13).trimmed()), u"yyyy-MM-ddTHH:mm:ss"_s);
    }
    if (record.path.isEmpty())
        return std::nullopt;
    return record;
}

// directorysizes: one line per trashed folder, "size mtime name", the name percent-encoded
// and mtime the modification time of the folder's record, in seconds.
QHash<QByteArray, std::pair<std::int64_t, std::int64_t>>
readDirectorySizes(const std::shared_ptr<SystemCalls>& calls, const QByteArray& trashFolder) {
    QHash<QByteArray, std::pair<std::int64_t, std::int64_t>> sizes;
    const std::optional<QByteArray> contents =
        WholeFileReader(calls).read(PathCodec::decode(QByteArray(trashFolder + "/directorysizes")));
    if (!contents)
        return sizes;
    for (const QByteArray& line : contents->split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            continue;
        bool sizeRead = false, timeRead = false;
        const std::int64_t size = fields[0].toLongLong(&sizeRead);
        const std::int64_t time = fields[1].toLongLong(&timeRead);
        if (sizeRead && timeRead)
            sizes.insert(QByteArray::fromPercentEncoding(fields[2]), {size, time});
    }
    return sizes;
}

} // namespace

std::vector<TrashedItem> TrashListing::listFolder(const std::shared_ptr<SystemCalls>& calls,
                                                  const QByteArray& trashFolder,
                                                  const QByteArray& topDirectory) {
    std::vector<TrashedItem> items;
    const QByteArray info = trashFolder + "/info";
    const QByteArray files = trashFolder + "/files";
    std::vector<QByteArray> names;
    try {
        names = FolderNameReader::read(*calls, info);
    } catch (const PlatformError&) {
        return items;
    }
    const auto sizes = readDirectorySizes(calls, trashFolder);
    const WholeFileReader reader(calls);
    for (const QByteArray& recordName : names) {
        if (!recordName.endsWith(recordSuffix))
            continue;
        const QByteArray name = recordName.left(recordName.size() - recordSuffix.size());
        const QByteArray trashed = files + '/' + name;
        struct stat status, recordStatus;
        if (calls->statAt(AT_FDCWD, trashed.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // a record without its item
        const QByteArray recordPath = info + '/' + recordName;
        if (calls->statAt(AT_FDCWD, recordPath.constData(), &recordStatus, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(recordStatus.st_mode))
            continue;
        const std::optional<QByteArray> contents = reader.read(PathCodec::decode(recordPath));
        const std::optional<Record> record = contents ? parseRecord(*contents) : std::nullopt;
        if (!record)
            continue;
        QByteArray original = record->path;
        if (!original.startsWith('/')) {
            if (topDirectory.isEmpty())
                continue; // a home trash record must be absolute
            original = (topDirectory == "/" ? QByteArray() : topDirectory) + '/' + original;
        }
        TrashedItem item;
        item.trashedPath = PathCodec::decode(trashed);
        item.originalPath = PathCodec::decode(original);
        item.deletionDate = record->deletionDate;
        item.isDirectory = S_ISDIR(status.st_mode);
        if (!item.isDirectory) {
            item.size = status.st_size;
        } else if (const auto cached = sizes.constFind(name);
                   cached != sizes.constEnd() && cached->second == recordStatus.st_mtim.tv_sec) {
            item.size = cached->first;
        } else {
            item.size = TreeMeasure::of(*calls, trashed).bytes;
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<TrashListing::Folder> TrashListing::folders(const std::shared_ptr<SystemCalls>& calls) {
    std::vector<Folder> found{{HomeFolder::dataHomeBytes() + "/Trash", {}}};
    const QByteArray uid = QByteArray::number(::getuid());
    struct stat home;
    const bool homeKnown = calls->statAt(AT_FDCWD, HomeFolder::dataHomeBytes().constData(), &home, 0) == 0;
    const MountTable table = MountTable::current();
    for (const Mount& mount : table.mounts()) {
        const QByteArray base = mount.mountPoint == "/" ? QByteArray() : mount.mountPoint;
        struct stat top;
        // The home trash already covers the volume that holds it.
        if (calls->statAt(AT_FDCWD, mount.mountPoint.constData(), &top, 0) != 0 ||
            (homeKnown && top.st_dev == home.st_dev))
            continue;
        struct stat shared;
        if (calls->statAt(AT_FDCWD, QByteArray(base + "/.Trash").constData(), &shared, AT_SYMLINK_NOFOLLOW) ==
                0 &&
            S_ISDIR(shared.st_mode) && (shared.st_mode & S_ISVTX))
            found.push_back({base + "/.Trash/" + uid, mount.mountPoint});
        found.push_back({base + "/.Trash-" + uid, mount.mountPoint});
    }
    return found;
}

std::vector<TrashedItem> TrashListing::list(const std::shared_ptr<SystemCalls>& calls) {
    std::vector<TrashedItem> items;
    for (const Folder& folder : folders(calls)) {
        std::vector<TrashedItem> found = listFolder(calls, folder.directory, folder.topDirectory);
        items.insert(items.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    return items;
}

} // namespace quillmere
