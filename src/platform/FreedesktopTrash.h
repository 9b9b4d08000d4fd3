#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
