#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quillmere {

class SystemCalls;

// One item in a freedesktop.org trash.
struct TrashedItem {
    QString trashedPath;              // its files/NAME
    QString originalPath;             // where it was, absolute
    QDateTime deletionDate;           // local time; invalid when the record has none
    std::optional<std::int64_t> size; // a folder's from directorysizes or a walk; none when unknown
    bool isDirectory = false;

    bool operator==(const TrashedItem&) const = default;
};

// Reads the trash folders the user can read, written by this program or any other that
// follows the freedesktop.org trash layout: the home trash ($XDG_DATA_HOME/Trash) and, on
// every mounted volume, $topdir/.Trash/$uid (inside a real sticky .Trash only) and
// $topdir/.Trash-$uid. An item is listed when both its files/ entry and a readable record
// are there; a record's Path relative to the volume is made absolute with its top folder.
// A folder's size is taken from the trash's directorysizes cache when its line matches the
// record's modification time, and measured otherwise. Nothing is followed through a link.
namespace TrashListing {

std::vector<TrashedItem> list(const std::shared_ptr<SystemCalls>& calls);

// A trash folder list() reads (whether or not it exists yet).
struct Folder {
    QByteArray directory;    // holding files/ and info/
    QByteArray topDirectory; // empty for the home trash
};
// The trash folders list() reads, the home trash first.
std::vector<Folder> folders(const std::shared_ptr<SystemCalls>& calls);
// One trash folder (holding files/ and info/); topDirectory is empty for the home trash.
std::vector<TrashedItem> listFolder(const std::shared_ptr<SystemCalls>& calls, const QByteArray& trashFolder,
                                    const QByteArray& topDirectory);

} // namespace TrashListing

} // namespace quillmere
