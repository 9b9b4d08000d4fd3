#include "services/filesystem/OperationJournal.h"

#include "platform/JournalFile.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/desktop/Logger.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

constexpr auto progressInterval = std::chrono::milliseconds(100);

} // namespace

OperationJournal::OperationJournal(std::shared_ptr<SystemCalls> calls, QString folder)
    : m_calls(std::move(calls))
    , m_folder(std::move(folder)) {}

OperationJournal::~OperationJournal() = default;

void OperationJournal::begin(const JournalRecord& plan) {
    if (m_folder.isEmpty())
        return;
    try {
        m_file = JournalFile::create(m_calls, PathCodec::encode(m_folder), plan.planLine() + '\n');
        m_lastProgress = std::chrono::steady_clock::now();
    } catch (const PlatformError& error) {
        QUILLMERE_LOG(
            logUI(), LogLevel::warn,
            u"Cannot keep a journal of this operation in %1: %2"_s.arg(m_folder, error.description()));
    }
}

void OperationJournal::append(const QByteArray& line, bool durable) {
    if (!m_file)
        return;
    try {
        m_file->append(line, durable);
    } catch (const PlatformError& error) {
        QUILLMERE_LOG(logUI(), LogLevel::warn,
                      u"Cannot extend the operation journal: %1"_s.arg(error.description()));
    }
}

void OperationJournal::trashed(int item, const QString& path, bool durable) {
    append(JournalRecord::trashedLine(item, path), durable);
}

void OperationJournal::copied(int item, const FileIdentity& copy) {
    append(JournalRecord::copiedLine(item, copy), false);
}

void OperationJournal::returned(int item, const FileIdentity& copy) {
    append(JournalRecord::returnedLine(item, copy), false);
}

void OperationJournal::madeFolder(int item, const FreedesktopTrash::MadeFolder& folder) {
    append(JournalRecord::madeFolderLine(item, folder), false);
}

void OperationJournal::secondPhase() {
    append(JournalRecord::secondPhaseLine(), true);
}

void OperationJournal::rollingBack() {
    append(JournalRecord::rollingBackLine(), true);
}

void OperationJournal::progress(int done) {
    if (!m_file)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastProgress < progressInterval)
        return;
    m_lastProgress = now;
    append(JournalRecord::progressLine(done), false);
}

void OperationJournal::end() {
    if (!m_file)
        return;
    try {
        m_file->remove();
    } catch (const PlatformError& error) {
        QUILLMERE_LOG(logUI(), LogLevel::warn,
                      u"Cannot remove the operation journal: %1"_s.arg(error.description()));
    }
    m_file.reset();
}

} // namespace quillmere
