#include "services/filesystem/TrashRestore.h"

#include "models/errors/TransferError.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "platform/TrashListing.h"
#include "platform/TreeMeasure.h"
#include "services/filesystem/ItemError.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationRun.h"
#include "services/filesystem/TransferSteps.h"
#include "services/filesystem/TrashEntry.h"

#include <QCoreApplication>
#include <QHash>

#include <fcntl.h>

namespace quillmere {
namespace {

QString temporaryBeside(const QString& location) {
    return FilePath::appending(FilePath::parent(location),
                               ItemRenamer::temporaryName(FilePath::lastComponent(location)));
}

// The device of the nearest folder on the way to path that exists.
std::optional<dev_t> deviceOnTheWay(SystemCalls& calls, const QString& path) {
    QString folder = FilePath::parent(path);
    for (;;) {
        struct stat status;
        if (calls.statAt(AT_FDCWD, PathCodec::encode(folder).constData(), &status, 0) == 0)
            return status.st_dev;
        if (folder == u"/")
            return std::nullopt;
        folder = FilePath::parent(folder);
    }
}

struct Planned {
    TrashEntry entry;
    QString originalName;
};

} // namespace

TransferOutcome TrashRestore::run(FilePrimitives& primitives, const QList<TransferOperation>& operations,
                                  OperationControl* control, OperationJournal* journalOrNone) {
    SystemCalls& calls = *primitives.calls;
    const std::vector<TrashListing::Folder> folders = TrashListing::folders(primitives.calls);
    JournalRecord record;
    record.kind = JournalRecord::Kind::restore;
    QList<Planned> planned;
    TreeMeasure::Totals totals;
    for (const TransferOperation& operation : operations) {
        const std::optional<TrashEntry> entry = TrashEntry::of(operation.source, folders);
        if (!entry)
            throw TransferError::failed(FilePath::lastComponent(operation.source),
                                        qtTrId("trash.notInTrash"));
        const std::optional<FreedesktopTrash::Record> saved = primitives.trash.readRecord(entry->record());
        if (!saved)
            throw TransferError::failed(PathCodec::decode(entry->name), qtTrId("trash.noRecord"));
        const QString source = PathCodec::decode(entry->files());
        JournalRecord::Item item{source, operation.destination, {}, {}, {}, operation.overwriteExisting};
        struct stat status;
        if (calls.statAt(AT_FDCWD, entry->files().constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            item.identity = FileIdentity::of(status);
            if (deviceOnTheWay(calls, operation.destination) != status.st_dev) {
                // Carried over by a copy under a temporary name, and back the same way.
                item.temporary = temporaryBeside(operation.destination);
                item.returnTemporary = temporaryBeside(source);
                const TreeMeasure::Totals measured = TreeMeasure::of(calls, entry->files());
                totals.items += measured.items;
                totals.bytes += measured.bytes;
            } else {
                totals.items += 1;
            }
        }
        record.trashRecords.insert(int(record.items.size()), *saved);
        record.items.append(item);
        planned.append({*entry, TrashEntry::originalName(saved->contents, entry->name)});
    }
    if (control)
        control->setTotals(totals.items, totals.bytes);

    OperationRun run(primitives.calls, control, journalOrNone);
    OperationJournal& journal = run.journal();
    UndoLog& undo = run.undo();
    run.begin(record);
    TransferOutcome outcome;
    QHash<QByteArray, QList<QByteArray>> restored;
    for (int index = 0; index < int(operations.size()); ++index) {
        const JournalRecord::Item& item = record.items[index];
        const TrashEntry& entry = planned[index].entry;
        const QString& originalName = planned[index].originalName;
        const QString& source = item.source;
        const QString& destination = item.destination;
        try {
            checkCancelled(control, originalName);
            if (item.overwrite)
                outcome.replaced.append(
                    TransferSteps::trashItemInTheWay(primitives.trash, run, index, destination));
            const QList<FreedesktopTrash::MadeFolder> made = primitives.trash.makeParentFolders(
                destination, [&journal, index](const FreedesktopTrash::MadeFolder& folder) {
                    journal.madeFolder(index, folder);
                });
            for (const FreedesktopTrash::MadeFolder& folder : made)
                undo.record([&primitives, folder] { primitives.trash.removeMadeFolder(folder); },
                            folder.path);
            TransferSteps::move(primitives, run, index, item, source, destination, originalName);
            if (calls.unlink(entry.record().constData()) != 0 && errno != ENOENT)
                throw PlatformError::fromErrno(originalName);
            undo.record(
                [&primitives, path = entry.record(), saved = record.trashRecords.value(index)] {
                    primitives.trash.writeRecordBack(path, saved);
                },
                originalName);
            restored[entry.folder].append(entry.name);
            outcome.items.append({FilePath::standardised(source), FilePath::standardised(destination)});
            journal.progress(index + 1);
        } catch (const PlatformError& error) {
            run.fail<TransferError>(error, originalName);
        } catch (...) {
            run.abandon();
        }
    }
    // A cache line of a folder that left the trash would stand for a later one of its name.
    for (auto folder = restored.cbegin(); folder != restored.cend(); ++folder)
        primitives.trash.forgetDirectorySizes(folder.key(), folder.value());
    run.finish();
    return outcome;
}

} // namespace quillmere
