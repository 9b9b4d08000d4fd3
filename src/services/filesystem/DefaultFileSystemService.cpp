#include "services/filesystem/DefaultFileSystemService.h"

#include "services/filesystem/BackgroundWork.h"

#include "models/errors/BatchRenameError.h"
#include "models/listing/KindDescription.h"
#include "models/listing/KindTextCache.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "services/filesystem/BatchRenameRunner.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/OperationRecovery.h"
#include "services/filesystem/TransferRunner.h"
#include "services/filesystem/TrashOperation.h"
#include <QCoroFuture>

#include <QCoreApplication>

namespace quillmere {

DefaultFileSystemService::DefaultFileSystemService()
    : DefaultFileSystemService(SystemCalls::real()) {}

DefaultFileSystemService::DefaultFileSystemService(std::shared_ptr<SystemCalls> calls, QString journalFolder)
    : m_primitives(std::make_shared<FilePrimitives>(std::move(calls)))
    , m_journalFolder(std::move(journalFolder)) {}

QString DefaultFileSystemService::defaultJournalFolder() {
    return PathCodec::decode(QByteArray(HomeFolder::stateHomeBytes() + "/quillmere"));
}

QList<FileItem> DefaultFileSystemService::list(FilePrimitives& primitives, const QString& folder,
                                               bool showHidden) {
    std::vector<DirectoryEntry> entries = primitives.reader.read(folder, showHidden);
    // Sized once and filled by assignment: appending one by one costs more for a type
    // QList must treat as not relocatable.
    QList<FileItem> items(qsizetype(entries.size()));
    KindTextCache kinds;
    for (size_t i = 0; i < entries.size(); ++i) {
        DirectoryEntry& entry = entries[i];
        FileItem& item = items[qsizetype(i)];
        item.kind = kinds.kindOf(entry.name, entry.isDirectory);
        item.id = entry.path;
        item.url = std::move(entry.path);
        item.name = std::move(entry.name);
        item.isDirectory = entry.isDirectory;
        item.isLinkToFolder = entry.isLinkToFolder;
        item.size = entry.size;
        item.modificationDate = entry.modificationDate;
    }
    return items;
}

QCoro::Task<QList<FileItem>> DefaultFileSystemService::listDirectory(QString folder, bool showHidden) {
    auto work = BackgroundWork::start(
        [primitives = m_primitives, folder, showHidden] { return list(*primitives, folder, showHidden); });
    co_return BackgroundWork::result(co_await work);
}

QString DefaultFileSystemService::kindDescription(const QString& path) const {
    return KindDescription::of(FilePath::lastComponent(path), m_primitives->probe.isFolder(path));
}

QCoro::Task<bool> DefaultFileSystemService::exists(QString path) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, path] { return primitives->probe.exists(path); });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<QString> DefaultFileSystemService::renameItem(QString path, QString newName) {
    auto work = BackgroundWork::start([primitives = m_primitives, path, newName] {
        return ItemRenamer::rename(*primitives, path, newName);
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::moveToTrash(QStringList paths,
                                                    std::shared_ptr<OperationControl> control) {
    auto work = BackgroundWork::start([primitives = m_primitives, paths, control, folder = m_journalFolder] {
        OperationJournal journal(primitives->calls, folder);
        TrashOperation::run(*primitives, paths, control.get(), &journal);
    });
    BackgroundWork::result(co_await work);
}

QCoro::Task<QList<PathMapping>>
DefaultFileSystemService::moveItems(QList<TransferOperation> operations,
                                    std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, operations, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            return TransferRunner::move(*primitives, operations, control.get(), &journal);
        });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::copyItems(QList<TransferOperation> operations,
                                                  std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, operations, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            TransferRunner::copy(*primitives, operations, control.get(), &journal);
        });
    BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::createFile(QString path) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, path] { primitives->creator.createFile(path); });
    BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::createFolder(QString path) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, path] { primitives->creator.createFolder(path); });
    BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::batchRename(QList<PathMapping> mappings,
                                                    std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, mappings, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            BatchRenameRunner::run(*primitives, mappings, control.get(), &journal);
        });
    BackgroundWork::result(co_await work);
}

QCoro::Task<RecoveryReport> DefaultFileSystemService::recoverInterruptedOperations() {
    auto work = BackgroundWork::start([primitives = m_primitives, folder = m_journalFolder] {
        return OperationRecovery::run(*primitives, folder);
    });
    co_return BackgroundWork::result(co_await work);
}

} // namespace quillmere
