#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

#include <functional>
#include <memory>
#include <optional>

struct stat;

namespace quillmere {

class SystemCalls;
struct Mount;

// The freedesktop.org trash: the home trash for items on the file system of
// $XDG_DATA_HOME, and $topdir/.Trash/$uid or $topdir/.Trash-$uid on other mounts.
//
// trash() writes info/NAME.trashinfo exclusively first, then renames the item to
// files/NAME, so a trashed item always has its record. An item is only ever renamed
// into the trash: where no usable trash exists the call fails with the reason, and
// nothing is deleted instead.
class FreedesktopTrash final {
public:
    explicit FreedesktopTrash(std::shared_ptr<SystemCalls> calls);

    // Returns the item's location inside the trash. Throws PlatformError. aboutToUse,
    // when given, hears each location tried before its record is written, so a journal
    // knows where to look after a crash.
    QString trash(const QString& path, const std::function<void(const QString&)>& aboutToUse = {}) const;

    // After a crash while originalPath was being trashed to trashedPath: removes the
    // record of trashedPath when no item is there and the record is empty (cut short) or
    // names originalPath. Anything else is left alone.
    void forgetUnfinished(const QString& trashedPath, const QString& originalPath) const;

    // Moves a trashed item back (never replacing) and deletes its trash record. With
    // recreateFolders, original folders that are gone are made again first (as mkdir -p
    // would, with the default mode); the folders made are returned, outermost first, so
    // that an undo can take exactly those away again.
    enum class MissingFolders { fail, recreate };
    QStringList restore(const QString& trashedPath, const QString& originalPath,
                        MissingFolders missing = MissingFolders::fail) const;

    // A trash record as it was on the disk, to be written back exactly.
    struct Record {
        QByteArray contents;
        unsigned mode = 0600;
        std::int64_t seconds = 0; // modification time
        std::int64_t nanoseconds = 0;
        bool operator==(const Record&) const = default;
    };
    // The record at recordPath (never through a link); nothing when none can be read.
    std::optional<Record> readRecord(const QByteArray& recordPath) const;
    // Writes a record back exclusively, with its mode and modification time. Throws PlatformError.
    void writeRecordBack(const QByteArray& recordPath, const Record& record) const;

    // A folder made on the way to a restored item's place; its identity is unknown
    // (zero) when only the intention to make it was noted.
    struct MadeFolder {
        QString path;
        FileIdentity identity;
    };
    // Makes the missing folders on the way to path (as mkdir -p would, with the default
    // mode), outermost first. note hears each folder twice: just before it is made (with
    // no identity yet) and once it exists, so that a journal can name it whenever a crash
    // comes. The exclusive mkdir is the existence check. Throws PlatformError, having
    // taken the folders it made away again.
    QList<MadeFolder> makeParentFolders(const QString& path,
                                        const std::function<void(const MadeFolder&)>& note = {}) const;
    // Takes a made folder away again, only while it is empty and (when its identity is
    // known) still that folder.
    void removeMadeFolder(const MadeFolder& folder) const;

    // Drops the lines of these files/ names from the trash folder's directorysizes cache.
    // The cache is rewritten under a new name and renamed over the old one, so that a
    // reader never sees half of it; a cache that cannot be rewritten is left (its lines
    // name entries that are gone, which every reader checks).
    void forgetDirectorySizes(const QByteArray& trashFolder, const QList<QByteArray>& names) const;

private:
    struct Location {
        QByteArray directory;    // the trash folder, holding files/ and info/
        QByteArray topDirectory; // empty for the home trash, whose records hold absolute paths
    };

    Location locationFor(const QByteArray& path, const struct stat& status,
                         const std::optional<Mount>& mount) const;
    Location homeTrash() const;
    QByteArray volumeTrash(const QByteArray& topDirectory, const QByteArray& forPath) const;
    void ensureFolder(const QByteArray& path, const QByteArray& forPath) const;
    bool writeRecord(const QByteArray& recordPath, const QByteArray& contents,
                     const QByteArray& forPath) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
