#pragma once

#include "services/filesystem/JournalRecord.h"

#include <QString>

#include <chrono>
#include <memory>

namespace quillmere {

class JournalFile;
class SystemCalls;

// The journal one multi-item operation keeps while it runs: its plan before anything
// changes, the events a recovery needs to decide an item (durable where a crash right
// after them would otherwise leave an item undecidable), and its progress about every
// 100 ms. It is removed when the operation has finished or rolled back.
//
// A journal that cannot be written does not stop the operation, which is as safe as it
// was before journals existed; the failure is logged.
class OperationJournal final {
public:
    // Keeps nothing when folder is empty.
    OperationJournal(std::shared_ptr<SystemCalls> calls, QString folder);
    ~OperationJournal();
    OperationJournal(const OperationJournal&) = delete;
    OperationJournal& operator=(const OperationJournal&) = delete;

    void begin(const JournalRecord& plan);
    // Where an item is about to go in the trash. Durable for the rare overwritten item;
    // a trash of many items notes it without waiting for the disk.
    void trashed(int item, const QString& path, bool durable = true);
    void copied(int item, const FileIdentity& copy);
    void returned(int item, const FileIdentity& copy);
    void madeFolder(int item, const FreedesktopTrash::MadeFolder& folder);
    void secondPhase();
    void rollingBack();
    void progress(int done);
    void end();

private:
    void append(const QByteArray& line, bool durable);

    std::shared_ptr<SystemCalls> m_calls;
    QString m_folder;
    std::unique_ptr<JournalFile> m_file;
    std::chrono::steady_clock::time_point m_lastProgress;
};

} // namespace quillmere
