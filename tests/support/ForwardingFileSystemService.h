#pragma once

#include "platform/SystemCalls.h"
#include "services/filesystem/DefaultFileSystemService.h"

namespace quillmere::test {

// The real service, every call passed on; a test derives from it and overrides only the
// calls it wants to watch or change.
class ForwardingFileSystemService : public FileSystemService {
public:
    explicit ForwardingFileSystemService(std::shared_ptr<SystemCalls> calls = SystemCalls::real(),
                                         QString journalFolder = {})
        : m_real(std::move(calls), std::move(journalFolder)) {}

    QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) override {
        return m_real.listDirectory(folder, showHidden);
    }
    QString kindDescription(const QString& path) const override { return m_real.kindDescription(path); }
    QCoro::Task<bool> exists(QString path) override { return m_real.exists(path); }
    QCoro::Task<QString> renameItem(QString path, QString newName) override {
        return m_real.renameItem(path, newName);
    }
    QCoro::Task<QList<TrashedPlace>> moveToTrash(QStringList paths,
                                                 std::shared_ptr<OperationControl> control) override {
        return m_real.moveToTrash(paths, control);
    }
    QCoro::Task<TransferOutcome> moveItems(QList<TransferOperation> operations,
                                           std::shared_ptr<OperationControl> control) override {
        return m_real.moveItems(operations, control);
    }
    QCoro::Task<TransferOutcome> copyItems(QList<TransferOperation> operations,
                                           std::shared_ptr<OperationControl> control) override {
        return m_real.copyItems(operations, control);
    }
    QCoro::Task<> createFile(QString path) override { return m_real.createFile(path); }
    QCoro::Task<> createFolder(QString path) override { return m_real.createFolder(path); }
    QCoro::Task<> batchRename(QList<PathMapping> mappings,
                              std::shared_ptr<OperationControl> control) override {
        return m_real.batchRename(mappings, control);
    }
    QCoro::Task<QList<std::optional<ItemState>>> itemStates(QStringList paths) override {
        return m_real.itemStates(paths);
    }
    QString homeTrashRecordFolder() const override { return m_real.homeTrashRecordFolder(); }
    QCoro::Task<std::vector<TrashedItem>> listTrash() override { return m_real.listTrash(); }
    QCoro::Task<TransferOutcome> restoreFromTrash(QList<TransferOperation> operations,
                                                  std::shared_ptr<OperationControl> control) override {
        return m_real.restoreFromTrash(operations, control);
    }
    QCoro::Task<> deleteFromTrash(QStringList trashedPaths,
                                  std::shared_ptr<OperationControl> control) override {
        return m_real.deleteFromTrash(trashedPaths, control);
    }
    QCoro::Task<> emptyTrash(std::shared_ptr<OperationControl> control) override {
        return m_real.emptyTrash(control);
    }
    QCoro::Task<RecoveryReport> recoverInterruptedOperations() override {
        return m_real.recoverInterruptedOperations();
    }

protected:
    DefaultFileSystemService m_real;
};

} // namespace quillmere::test
