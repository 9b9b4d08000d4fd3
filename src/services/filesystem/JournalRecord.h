#pragma once

#include "models/operations/RecoveryReport.h"
#include "platform/FileIdentity.h"
#include "platform/FreedesktopTrash.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// What a journal says about one operation: its plan, written before anything changed,
// and the events its run appended. The file holds the plan as one JSON line and then
// one JSON line per event; a line cut short by a crash is ignored.
struct JournalRecord {
    using Kind = RecoveredOperation::Kind;

    struct Item {
        QString source;          // the item before (for a batch rename, its old location)
        QString destination;     // the item after (its new location); empty for the trash
        QString temporary;       // the name it passes through in the destination's folder, if any
        QString returnTemporary; // the name a move across file systems passes back through
        FileIdentity identity;   // the source as the plan found it
        bool overwrite = false;  // the destination's old item goes to the trash first

        bool operator==(const Item&) const = default;
    };

    Kind kind = Kind::copy;
    QList<Item> items;
    // A restore's trash records as they were, by item index, to be written back when the
    // item goes back to the trash.
    QHash<int, FreedesktopTrash::Record> trashRecords;

    // Events. Where each overwritten item went in the trash, by item index.
    QHash<int, QString> trashed;
    // The copy a move across file systems put in place before removing the source.
    QHash<int, FileIdentity> copied;
    // The copy a rolled-back move put back at the source before removing the destination.
    QHash<int, FileIdentity> returned;
    // The folders a restore made on the way to an item's place, in the order made.
    QHash<int, QList<FreedesktopTrash::MadeFolder>> madeFolders;
    bool secondPhase = false; // a batch rename has begun giving entries their new names
    bool rollingBack = false;
    int done = 0; // items done when progress was last noted; a hint only

    QByteArray planLine() const;
    static QByteArray trashedLine(int item, const QString& path);
    static QByteArray copiedLine(int item, const FileIdentity& copy);
    static QByteArray returnedLine(int item, const FileIdentity& copy);
    static QByteArray madeFolderLine(int item, const FreedesktopTrash::MadeFolder& folder);
    static QByteArray secondPhaseLine();
    static QByteArray rollingBackLine();
    static QByteArray progressLine(int done);

    // Nothing when the plan cannot be read (a journal of another version, or damaged).
    static std::optional<JournalRecord> parse(const QByteArray& contents);
};

} // namespace quillmere
