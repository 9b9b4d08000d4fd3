#pragma once

#include "services/filesystem/FileSystemService.h"

#include <memory>

namespace quillmere {

struct FilePrimitives;
class SystemCalls;

// The file-system service over the platform's primitives. It keeps no state between
// calls; copies share the primitives, which are safe to use from worker threads.
class DefaultFileSystemService final : public FileSystemService {
public:
    // The journals of running operations go to journalFolder; none are kept when it is
    // empty (tests that do not look at them).
    DefaultFileSystemService();
    explicit DefaultFileSystemService(std::shared_ptr<SystemCalls> calls, QString journalFolder = {});

    // $XDG_STATE_HOME/quillmere when the variable is set and absolute, else ~/.local/state/quillmere.
    static QString defaultJournalFolder();

    QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) override;
    QString kindDescription(const QString& path) const override;
    QCoro::Task<bool> exists(QString path) override;
    QCoro::Task<QString> renameItem(QString path, QString newName) override;
    QCoro::Task<QList<TrashedPlace>> moveToTrash(QStringList paths,
                                                 std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<TransferOutcome> moveItems(QList<TransferOperation> operations,
                                           std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<TransferOutcome> copyItems(QList<TransferOperation> operations,
                                           std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<> createFile(QString path) override;
    QCoro::Task<> createFolder(QString path) override;
    QCoro::Task<> batchRename(QList<PathMapping> mappings,
                              std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<QList<std::optional<ItemState>>> itemStates(QStringList paths) override;
    QString homeTrashRecordFolder() const override;
    QCoro::Task<std::vector<TrashedItem>> listTrash() override;
    QCoro::Task<TransferOutcome> restoreFromTrash(QList<TransferOperation> operations,
                                                  std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<> deleteFromTrash(QStringList trashedPaths,
                                  std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<> emptyTrash(std::shared_ptr<OperationControl> control = {}) override;
    QCoro::Task<RecoveryReport> recoverInterruptedOperations() override;

    // The synchronous listing, for callers already off the user-interface thread.
    static QList<FileItem> list(FilePrimitives& primitives, const QString& folder, bool showHidden);

private:
    std::shared_ptr<FilePrimitives> m_primitives;
    QString m_journalFolder;
};

} // namespace quillmere
