#include "DefaultFileSystemService.h"

#include "BackgroundWork.h"
#include "ItemRenamer.h"
#include "TransferRunner.h"
#include "TrashOperation.h"
#include "models/BatchRenameError.h"
#include "models/FilePath.h"
#include "models/KindDescription.h"
#include "platform/FilePrimitives.h"
#include "platform/PathCodec.h"

#include <QCoreApplication>

#include <fcntl.h>

namespace quillmere {

DefaultFileSystemService::DefaultFileSystemService()
    : DefaultFileSystemService(SystemCalls::real()) {}

DefaultFileSystemService::DefaultFileSystemService(std::shared_ptr<SystemCalls> calls)
    : m_primitives(std::make_shared<FilePrimitives>(std::move(calls))) {}

QList<FileItem> DefaultFileSystemService::list(FilePrimitives& primitives, const QString& folder, bool showHidden) {
    std::vector<DirectoryEntry> entries = primitives.reader.read(folder, showHidden);
    QList<FileItem> items;
    items.reserve(qsizetype(entries.size()));
    for (DirectoryEntry& entry : entries) {
        QString kind = KindDescription::of(entry.name, entry.isDirectory);
        items.append(FileItem{entry.path, entry.path, std::move(entry.name), entry.isDirectory, entry.size,
                              entry.modificationDate, std::move(kind)});
    }
    return items;
}

QCoro::Task<QList<FileItem>> DefaultFileSystemService::listDirectory(QString folder, bool showHidden) {
    co_return co_await BackgroundWork::run(
        [primitives = m_primitives, folder, showHidden] { return list(*primitives, folder, showHidden); });
}

QString DefaultFileSystemService::kindDescription(const QString& path) const {
    struct stat status;
    const QByteArray bytes = PathCodec::encode(path);
    const bool isDirectory =
        m_primitives->calls->statAt(AT_FDCWD, bytes.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(status.st_mode);
    return KindDescription::of(FilePath::lastComponent(path), isDirectory);
}

QCoro::Task<QString> DefaultFileSystemService::renameItem(QString path, QString newName) {
    co_return co_await BackgroundWork::run(
        [primitives = m_primitives, path, newName] { return ItemRenamer::rename(*primitives, path, newName); });
}

QCoro::Task<> DefaultFileSystemService::moveToTrash(QStringList paths) {
    co_await BackgroundWork::run([primitives = m_primitives, paths] { TrashOperation::run(*primitives, paths); });
}

QCoro::Task<QList<PathMapping>> DefaultFileSystemService::moveItems(QList<TransferOperation> operations) {
    co_return co_await BackgroundWork::run(
        [primitives = m_primitives, operations] { return TransferRunner::move(*primitives, operations); });
}

QCoro::Task<> DefaultFileSystemService::copyItems(QList<TransferOperation> operations) {
    co_await BackgroundWork::run(
        [primitives = m_primitives, operations] { TransferRunner::copy(*primitives, operations); });
}

QCoro::Task<> DefaultFileSystemService::createFile(QString path) {
    co_await BackgroundWork::run([primitives = m_primitives, path] { primitives->creator.createFile(path); });
}

QCoro::Task<> DefaultFileSystemService::createFolder(QString path) {
    co_await BackgroundWork::run([primitives = m_primitives, path] { primitives->creator.createFolder(path); });
}

QCoro::Task<> DefaultFileSystemService::batchRename(QList<PathMapping> mappings) {
    if (!mappings.isEmpty()) {
        throw BatchRenameError::failed(FilePath::lastComponent(mappings.first().from),
                                       QCoreApplication::translate("DefaultFileSystemService",
                                                                   "Batch rename is not available yet"));
    }
    co_return;
}

} // namespace quillmere
