#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

namespace quillmere {

class SystemCalls;

// The journal of one running operation, a file in the journal folder.
//
// It is written whole when the operation begins (to a temporary name, flushed, then
// renamed into place, so it is either complete or absent) and then grows by appended
// lines. Its writer holds an exclusive lock on it for as long as it lives; the kernel
// drops the lock when the process dies however it dies. A journal nobody holds is
// therefore one whose operation never finished, and a second instance of the program
// never takes over a journal that is still being written.
class JournalFile final {
public:
    // Creates the folder (owner-only, with its parents) when missing. Throws PlatformError.
    static std::unique_ptr<JournalFile> create(std::shared_ptr<SystemCalls> calls, const QByteArray& folder,
                                               const QByteArray& contents);

    // The journals in folder whose writers are gone, each now locked by the returned
    // object. A journal that never got its final name (its writer died while writing it)
    // belongs to an operation that had not begun: it is removed on the way.
    static std::vector<std::unique_ptr<JournalFile>> abandoned(std::shared_ptr<SystemCalls> calls,
                                                               const QByteArray& folder);

    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Appends line and a line break; a durable line is flushed to the disk before this
    // returns. Throws PlatformError.
    void append(const QByteArray& line, bool durable);
    // The operation is over: the journal goes.
    void remove();

    const QByteArray& path() const { return m_path; }
    // What an abandoned journal held when it was taken over.
    const QByteArray& contents() const { return m_contents; }

private:
    JournalFile(std::shared_ptr<SystemCalls> calls, QByteArray path, int fd);

    std::shared_ptr<SystemCalls> m_calls;
    QByteArray m_path;
    int m_fd;
    QByteArray m_contents;
};

} // namespace quillmere
