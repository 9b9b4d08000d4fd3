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
    DefaultFileSystemService();
    explicit DefaultFileSystemService(std::shared_ptr<SystemCalls> calls);

    QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) override;
    QString kindDescription(const QString& path) const override;
    QCoro::Task<bool> exists(QString path) override;
    QCoro::Task<QString> renameItem(QString path, QString newName) override;
    QCoro::Task<> moveToTrash(QStringList paths) override;
    QCoro::Task<QList<PathMapping>> moveItems(QList<TransferOperation> operations) override;
    QCoro::Task<> copyItems(QList<TransferOperation> operations) override;
    QCoro::Task<> createFile(QString path) override;
    QCoro::Task<> createFolder(QString path) override;
    QCoro::Task<> batchRename(QList<PathMapping> mappings) override;

    // The synchronous listing, for callers already off the user-interface thread.
    static QList<FileItem> list(FilePrimitives& primitives, const QString& folder, bool showHidden);

private:
    std::shared_ptr<FilePrimitives> m_primitives;
};

} // namespace quillmere
