#pragma once

#include "platform/TrashListing.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace quillmere {

// A files/ entry of one of the trash folders the listing reads: the only places a restore
// takes items from and the only ones deleting for good may touch.
struct TrashEntry {
    QByteArray folder; // the trash folder, holding files/ and info/
    QByteArray name;   // the entry's name in files/

    QByteArray files() const { return folder + "/files/" + name; }
    QByteArray record() const { return folder + "/info/" + name + ".trashinfo"; }

    // The entry a path names, read lexically (".." cannot lead out); nothing when it names
    // anything else, the trash folder or files/ itself included.
    static std::optional<TrashEntry> of(const QString& trashedPath,
                                        const std::vector<TrashListing::Folder>& folders);
    // The last component of the original path a record gives; fallback when it gives none.
    static QString originalName(const QByteArray& recordContents, const QByteArray& fallback);
};

} // namespace quillmere
