#pragma once

#include "models/listing/FileItem.h"
#include "models/operations/ItemState.h"
#include "models/operations/RecoveryReport.h"
#include "models/operations/TransferOutcome.h"
#include "models/paths/PathMapping.h"
#include "models/transfer/TransferOperation.h"
#include "platform/TrashListing.h"

#include <QCoroTask>
#include <QList>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace quillmere {

class OperationControl;

// The one way the rest of the program touches the file system. Locations are
// absolute paths; names are single path components. Every operation but
// kindDescription runs its blocking work off the calling thread and throws its
// typed error to the awaiting caller unchanged:
//  - listDirectory, createFile, createFolder: PlatformError;
//  - renameItem: RenameError; moveToTrash: DeleteError;
//  - moveItems, copyItems, restoreFromTrash: TransferError; batchRename: BatchRenameError;
//  - deleteFromTrash, emptyTrash: PermanentDeleteError; listTrash, itemStates: nothing.
// kindDescription stats the path on the calling thread: call it from a worker only.
//
// The multi-item operations take an optional control: they report their progress
// through it and stop at the next chunk or item once it asks them to, rolling back like
// a failure and throwing the error's cancelled case. Each writes a journal of its plan
// first, so that recoverInterruptedOperations, at the next start, can bring every item
// of an operation the process did not survive to its state before or after. Deleting
// for good is the exception: it is not rolled back and keeps no journal.
class FileSystemService {
public:
    virtual ~FileSystemService() = default;

    virtual QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) = 0;
    virtual QString kindDescription(const QString& path) const = 0;
    // Whether anything is at the path, links followed; false when it cannot be told.
    virtual QCoro::Task<bool> exists(QString path) = 0;
    virtual QCoro::Task<QString> renameItem(QString path, QString newName) = 0;
    // Returns where each item went, in the order given.
    virtual QCoro::Task<QList<TrashedPlace>> moveToTrash(QStringList paths,
                                                         std::shared_ptr<OperationControl> control = {}) = 0;
    virtual QCoro::Task<TransferOutcome> moveItems(QList<TransferOperation> operations,
                                                   std::shared_ptr<OperationControl> control = {}) = 0;
    virtual QCoro::Task<TransferOutcome> copyItems(QList<TransferOperation> operations,
                                                   std::shared_ptr<OperationControl> control = {}) = 0;
    virtual QCoro::Task<> createFile(QString path) = 0;
    virtual QCoro::Task<> createFolder(QString path) = 0;
    virtual QCoro::Task<> batchRename(QList<PathMapping> mappings,
                                      std::shared_ptr<OperationControl> control = {}) = 0;
    // What is at each path now, in the order given; none where nothing is or it cannot
    // be told. Links are not followed.
    virtual QCoro::Task<QList<std::optional<ItemState>>> itemStates(QStringList paths) = 0;

    // The folder of the home trash's records, which changes whenever any program trashes,
    // restores or deletes an item there: the one to watch. Computed, never read.
    virtual QString homeTrashRecordFolder() const = 0;
    // Every item of every trash the user can read.
    virtual QCoro::Task<std::vector<TrashedItem>> listTrash() = 0;
    // Puts trashed items back: each operation's source is a trashed item's files/ entry,
    // its destination where it goes (its original path, or a new name beside it) and
    // overwriteExisting sends an item in the way to the trash first. Original folders
    // that are gone are made again. Rolled back entirely when one item fails or on a
    // cancel, like a move; the trash records of restored items are removed. Errors name
    // items by their original names. The outcome maps each files/ entry to its place.
    virtual QCoro::Task<TransferOutcome> restoreFromTrash(QList<TransferOperation> operations,
                                                          std::shared_ptr<OperationControl> control = {}) = 0;
    // The only deletions for good: trashed items (files/ entries) with their records, or
    // everything in every trash the user can write. A path that is not a files/ entry of
    // a trash folder listTrash reads is refused before anything is deleted. Stopped by a
    // cancel at the next item; what is gone stays gone.
    virtual QCoro::Task<> deleteFromTrash(QStringList trashedPaths,
                                          std::shared_ptr<OperationControl> control = {}) = 0;
    virtual QCoro::Task<> emptyTrash(std::shared_ptr<OperationControl> control = {}) = 0;

    // Never throws: what cannot be read is left alone and reported as undecided.
    virtual QCoro::Task<RecoveryReport> recoverInterruptedOperations() = 0;
};

} // namespace quillmere
