#pragma once

#include "models/listing/FileItem.h"
#include "models/paths/PathMapping.h"
#include "models/transfer/TransferOperation.h"

#include <QCoroTask>
#include <QList>
#include <QStringList>

namespace quillmere {

// The one way the rest of the program touches the file system. Locations are
// absolute paths; names are single path components. Every operation but
// kindDescription runs its blocking work off the calling thread and throws its
// typed error to the awaiting caller unchanged:
//  - listDirectory, createFile, createFolder: PlatformError;
//  - renameItem: RenameError; moveToTrash: DeleteError;
//  - moveItems, copyItems: TransferError; batchRename: BatchRenameError.
// kindDescription stats the path on the calling thread: call it from a worker only.
class FileSystemService {
public:
    virtual ~FileSystemService() = default;

    virtual QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) = 0;
    virtual QString kindDescription(const QString& path) const = 0;
    // Whether anything is at the path, links followed; false when it cannot be told.
    virtual QCoro::Task<bool> exists(QString path) = 0;
    virtual QCoro::Task<QString> renameItem(QString path, QString newName) = 0;
    virtual QCoro::Task<> moveToTrash(QStringList paths) = 0;
    virtual QCoro::Task<QList<PathMapping>> moveItems(QList<TransferOperation> operations) = 0;
    virtual QCoro::Task<> copyItems(QList<TransferOperation> operations) = 0;
    virtual QCoro::Task<> createFile(QString path) = 0;
    virtual QCoro::Task<> createFolder(QString path) = 0;
    virtual QCoro::Task<> batchRename(QList<PathMapping> mappings) = 0;
};

} // namespace quillmere
