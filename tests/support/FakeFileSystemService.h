#pragma once

#include "models/listing/KindDescription.h"
#include "models/paths/FilePath.h"
#include "platform/PlatformError.h"
#include "services/filesystem/FileSystemService.h"
#include "support/FileItems.h"

#include <QCoroFuture>
#include <QFuture>
#include <QHash>
#include <QPromise>
#include <QSet>

#include <cerrno>
#include <memory>

namespace quillmere::test {

// A file system that exists only as listings the test sets up. Listings of a held
// folder wait until the test releases them, so a test can decide in which order
// overlapping listings finish. Every operation other than listing is inert.
class FakeFileSystemService final : public FileSystemService {
public:
    struct ListingCall {
        QString folder;
        bool showHidden;
    };
    QList<ListingCall> listingCalls;

    // Entries whose names begin with "." are listed only when hidden entries are asked for.
    void setEntries(const QString& folder, QList<FileItem> items) {
        m_entries.insert(folder, std::move(items));
        m_unreadable.remove(folder);
    }
    void setUnreadable(const QString& folder) { m_unreadable.insert(folder); }

    // Listings of a held folder started from now on wait for release().
    void setHeld(const QString& folder, bool held) {
        if (held)
            m_held.insert(folder);
        else
            m_held.remove(folder);
    }
    // Lets the waiting listings of the folder finish (once the event loop runs).
    void release(const QString& folder) {
        for (const auto& gate : m_waiting.take(folder))
            gate->finish();
    }
    qsizetype waitingCount(const QString& folder) const { return m_waiting.value(folder).size(); }

    QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) override {
        listingCalls.append({folder, showHidden});
        // The answer is fixed when the listing starts, like a real read of the folder.
        const bool unreadable = m_unreadable.contains(folder) || !m_entries.contains(folder);
        QList<FileItem> listed;
        for (const FileItem& item : m_entries.value(folder))
            if (showHidden || !item.name.startsWith(u'.'))
                listed.append(item);
        if (m_held.contains(folder)) {
            auto gate = std::make_shared<QPromise<void>>();
            gate->start();
            m_waiting[folder].append(gate);
            QFuture<void> opened = gate->future();
            co_await opened;
        }
        if (unreadable)
            throw PlatformError(ENOENT, folder);
        co_return listed;
    }

    QString kindDescription(const QString& path) const override {
        return KindDescription::of(FilePath::lastComponent(path), false);
    }
    // A folder exists while the test holds a listing for it.
    QCoro::Task<bool> exists(QString path) override { co_return m_entries.contains(path); }
    QCoro::Task<QString> renameItem(QString path, QString) override { co_return path; }
    QCoro::Task<QList<TrashedPlace>> moveToTrash(QStringList,
                                                 std::shared_ptr<OperationControl> = {}) override {
        co_return {};
    }
    QCoro::Task<TransferOutcome> moveItems(QList<TransferOperation>,
                                           std::shared_ptr<OperationControl> = {}) override {
        co_return {};
    }
    QCoro::Task<TransferOutcome> copyItems(QList<TransferOperation>,
                                           std::shared_ptr<OperationControl> = {}) override {
        co_return {};
    }
    QCoro::Task<QList<std::optional<ItemState>>> itemStates(QStringList paths) override {
        co_return QList<std::optional<ItemState>>(paths.size());
    }
    QString homeTrashRecordFolder() const override { return {}; }
    QCoro::Task<std::vector<TrashedItem>> listTrash() override { co_return {}; }
    QCoro::Task<TransferOutcome> restoreFromTrash(QList<TransferOperation>,
                                                  std::shared_ptr<OperationControl> = {}) override {
        co_return {};
    }
    QCoro::Task<> deleteFromTrash(QStringList, std::shared_ptr<OperationControl> = {}) override { co_return; }
    QCoro::Task<> emptyTrash(std::shared_ptr<OperationControl> = {}) override { co_return; }
    QCoro::Task<> createFile(QString) override { co_return; }
    QCoro::Task<> createFolder(QString) override { co_return; }
    QCoro::Task<> batchRename(QList<PathMapping>, std::shared_ptr<OperationControl> = {}) override {
        co_return;
    }
    QCoro::Task<RecoveryReport> recoverInterruptedOperations() override { co_return {}; }

private:
    QHash<QString, QList<FileItem>> m_entries;
    QSet<QString> m_unreadable;
    QSet<QString> m_held;
    QHash<QString, QList<std::shared_ptr<QPromise<void>>>> m_waiting;
};

} // namespace quillmere::test
