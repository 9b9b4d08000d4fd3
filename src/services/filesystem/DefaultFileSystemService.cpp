#include "services/filesystem/DefaultFileSystemService.h"

#include "services/filesystem/BackgroundWork.h"

#include "models/errors/BatchRenameError.h"
#include "models/listing/KindDescription.h"
#include "models/listing/KindTextCache.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/filesystem/BatchRenameRunner.h"
#include "services/filesystem/ItemRenamer.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/OperationRecovery.h"
#include "services/filesystem/TransferRunner.h"
#include "services/filesystem/TrashOperation.h"
#include "services/filesystem/TrashPurge.h"
#include "services/filesystem/TrashRestore.h"
#include <QCoroFuture>

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>

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

QCoro::Task<QList<TrashedPlace>>
DefaultFileSystemService::moveToTrash(QStringList paths, std::shared_ptr<OperationControl> control) {
    auto work = BackgroundWork::start([primitives = m_primitives, paths, control, folder = m_journalFolder] {
        OperationJournal journal(primitives->calls, folder);
        return TrashOperation::run(*primitives, paths, control.get(), &journal);
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<TransferOutcome> DefaultFileSystemService::moveItems(QList<TransferOperation> operations,
                                                                 std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, operations, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            return TransferRunner::move(*primitives, operations, control.get(), &journal);
        });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<TransferOutcome> DefaultFileSystemService::copyItems(QList<TransferOperation> operations,
                                                                 std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, operations, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            return TransferRunner::copy(*primitives, operations, control.get(), &journal);
        });
    co_return BackgroundWork::result(co_await work);
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

QCoro::Task<QList<std::optional<ItemState>>> DefaultFileSystemService::itemStates(QStringList paths) {
    auto work = BackgroundWork::start([calls = m_primitives->calls, paths] {
        QList<std::optional<ItemState>> states;
        states.reserve(paths.size());
        for (const QString& path : paths) {
            struct stat status;
            if (path.isEmpty() || calls->statAt(AT_FDCWD, PathCodec::encode(path).constData(), &status,
                                                AT_SYMLINK_NOFOLLOW) != 0) {
                states.append(std::nullopt);
                continue;
            }
            states.append(ItemState{FileIdentity::of(status), S_ISDIR(status.st_mode),
                                    std::int64_t(status.st_size),
                                    FileTime(std::chrono::seconds(status.st_mtim.tv_sec),
                                             std::chrono::nanoseconds(status.st_mtim.tv_nsec))});
        }
        return states;
    });
    co_return BackgroundWork::result(co_await work);
}

QString DefaultFileSystemService::homeTrashRecordFolder() const {
    return PathCodec::decode(QByteArray(HomeFolder::dataHomeBytes() + "/Trash/info"));
}

QCoro::Task<std::vector<TrashedItem>> DefaultFileSystemService::listTrash() {
    auto work = BackgroundWork::start([calls = m_primitives->calls] { return TrashListing::list(calls); });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<TransferOutcome>
DefaultFileSystemService::restoreFromTrash(QList<TransferOperation> operations,
                                           std::shared_ptr<OperationControl> control) {
    auto work =
        BackgroundWork::start([primitives = m_primitives, operations, control, folder = m_journalFolder] {
            OperationJournal journal(primitives->calls, folder);
            return TrashRestore::run(*primitives, operations, control.get(), &journal);
        });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::deleteFromTrash(QStringList trashedPaths,
                                                        std::shared_ptr<OperationControl> control) {
    auto work = BackgroundWork::start([primitives = m_primitives, trashedPaths, control] {
        TrashPurge::remove(*primitives, trashedPaths, control.get());
    });
    BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultFileSystemService::emptyTrash(std::shared_ptr<OperationControl> control) {
    auto work = BackgroundWork::start(
        [primitives = m_primitives, control] { TrashPurge::empty(*primitives, control.get()); });
    BackgroundWork::result(co_await work);
}

QCoro::Task<RecoveryReport> DefaultFileSystemService::recoverInterruptedOperations() {
    auto work = BackgroundWork::start([primitives = m_primitives, folder = m_journalFolder] {
        return OperationRecovery::run(*primitives, folder);
    });
    co_return BackgroundWork::result(co_await work);
}

} // namespace quillmere
