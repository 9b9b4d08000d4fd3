#include "JournalFile.h"

#include "Descriptor.h"
#include "FileIdentity.h"
#include "FolderNameReader.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace quillmere {
namespace {

const QByteArray journalSuffix = QByteArrayLiteral(".journal");
const QByteArray unfinishedPrefix = QByteArrayLiteral(".unfinished-");

[[noreturn]] void fail(const QByteArray& path) {
    throw PlatformError::fromErrno(PathCodec::decode(path));
}

void makeFolders(SystemCalls& calls, const QByteArray& folder) {
    if (calls.makeDirectory(folder.constData(), 0700) == 0 || errno == EEXIST)
        return;
    if (errno != ENOENT)
        fail(folder);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash <= 0)
        fail(folder);
    makeFolders(calls, folder.left(slash));
    if (calls.makeDirectory(folder.constData(), 0700) != 0 && errno != EEXIST)
        fail(folder);
}

void writeAll(SystemCalls& calls, int fd, const QByteArray& data, const QByteArray& path) {
    for (qsizetype written = 0; written < data.size();) {
        const ssize_t n = calls.write(fd, data.constData() + written, size_t(data.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(path);
        }
        written += n;
    }
}

QByteArray readAll(SystemCalls& calls, int fd, const QByteArray& path) {
    QByteArray contents;
    char buffer[65536];
    for (;;) {
        const ssize_t n = calls.read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(path);
        }
        if (n == 0)
            return contents;
        contents.append(buffer, n);
    }
}

// Opens path and takes its lock without waiting; -1 when it cannot be opened, when its
// writer still holds it, or when it was removed or replaced in the meantime.
int openUnheld(SystemCalls& calls, int folderFd, const QByteArray& name) {
    const int fd = calls.openAt(folderFd, name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    Descriptor descriptor(calls, fd);
    if (calls.lock(fd, LOCK_EX | LOCK_NB) != 0)
        return -1;
    // The writer may have finished and removed the file between the open and the lock.
    struct stat opened, named;
    if (calls.statFd(fd, &opened) != 0 ||
        calls.statAt(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        !(FileIdentity::of(opened) == FileIdentity::of(named)) || !S_ISREG(opened.st_mode))
        return -1;
    return descriptor.release();
}

} // namespace

JournalFile::JournalFile(std::shared_ptr<SystemCalls> calls, QByteArray path, int fd)
    : m_calls(std::move(calls))
    , m_path(std::move(path))
    , m_fd(fd) {}

JournalFile::~JournalFile() {
    if (m_fd >= 0)
        m_calls->close(m_fd);
}

std::unique_ptr<JournalFile> JournalFile::create(std::shared_ptr<SystemCalls> calls, const QByteArray& folder,
                                                 const QByteArray& contents) {
    makeFolders(*calls, folder);
    const QByteArray id = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    const QByteArray unfinished = folder + '/' + unfinishedPrefix + id;
    const QByteArray path = folder + '/' + id + journalSuffix;
    Descriptor fd(*calls, calls->open(unfinished.constData(),
                                      O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_APPEND, 0600));
    if (!fd.isOpen())
        fail(unfinished);
    try {
        // Locked before anything is in it, so that no one mistakes it for an abandoned one.
        if (calls->lock(fd.get(), LOCK_EX) != 0)
            fail(unfinished);
        writeAll(*calls, fd.get(), contents, unfinished);
        if (calls->sync(fd.get()) != 0)
            fail(unfinished);
        if (calls->renameNoReplace(unfinished.constData(), path.constData()) != 0)
            fail(unfinished);
    } catch (const PlatformError&) {
        calls->unlink(unfinished.constData());
        throw;
    }
    Descriptor folderFd(*calls, calls->open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.isOpen())
        calls->sync(folderFd.get());
    return std::unique_ptr<JournalFile>(new JournalFile(std::move(calls), path, fd.release()));
}

void JournalFile::append(const QByteArray& line, bool durable) {
    writeAll(*m_calls, m_fd, line + '\n', m_path);
    if (durable && m_calls->sync(m_fd) != 0)
        fail(m_path);
}

void JournalFile::remove() {
    // Unlinked while still locked: whoever looks next finds nothing to take over.
    if (m_calls->unlink(m_path.constData()) != 0 && errno != ENOENT)
        fail(m_path);
    m_calls->close(m_fd);
    m_fd = -1;
}

std::vector<std::unique_ptr<JournalFile>> JournalFile::abandoned(std::shared_ptr<SystemCalls> calls,
                                                                 const QByteArray& folder) {
    std::vector<std::unique_ptr<JournalFile>> found;
    Descriptor folderFd(*calls, calls->open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.isOpen()) {
        if (errno == ENOENT)
            return found;
        fail(folder);
    }
    for (const QByteArray& name : FolderNameReader::readAt(*calls, folderFd.get(), folder)) {
        const bool unfinished = name.startsWith(unfinishedPrefix);
        if (!unfinished && !name.endsWith(journalSuffix))
            continue;
        const int fd = openUnheld(*calls, folderFd.get(), name);
        if (fd < 0)
            continue;
        if (unfinished) {
            calls->unlinkAt(folderFd.get(), name.constData(), 0);
            calls->close(fd);
            continue;
        }
        std::unique_ptr<JournalFile> journal(new JournalFile(calls, folder + '/' + name, fd));
        journal->m_contents = readAll(*calls, fd, journal->m_path);
        found.push_back(std::move(journal));
    }
    return found;
}

} // namespace quillmere
