#include "services/filesystem/TrashPurge.h"

#include "models/errors/PermanentDeleteError.h"
#include "models/paths/FilePath.h"
#include "platform/Descriptor.h"
#include "platform/FilePrimitives.h"
#include "platform/FolderNameReader.h"
#include "platform/OperationControl.h"
#include "platform/PathCodec.h"
#include "platform/TrashListing.h"
#include "services/filesystem/ItemError.h"
#include "services/filesystem/TrashEntry.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <fcntl.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace quillmere {
namespace {

const QByteArray recordSuffix = QByteArrayLiteral(".trashinfo");

// One trash folder, opened without following a link at any of its own components.
class OpenTrash final {
public:
    OpenTrash(FilePrimitives& primitives, const QByteArray& folder)
        : m_primitives(primitives)
        , m_calls(*primitives.calls)
        , m_folder(folder)
        , m_fd(m_calls, m_calls.open(folder.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW))
        , m_files(m_calls, -1)
        , m_info(m_calls, -1) {
        struct stat status;
        if (!m_fd.isOpen()) {
            m_error = errno;
            return;
        }
        if (m_calls.statFd(m_fd.get(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            m_error = ENOTDIR;
            return;
        }
        constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW;
        m_files = Descriptor(m_calls, m_calls.openAt(m_fd.get(), "files", flags));
        if (!m_files.isOpen())
            m_filesError = errno;
        m_info = Descriptor(m_calls, m_calls.openAt(m_fd.get(), "info", flags));
    }

    // Why the trash folder cannot be used (a link in its place is not a folder); 0 when it can.
    int error() const { return m_error; }
    bool isOpen() const { return m_error == 0; }
    int folder() const { return m_fd.get(); }
    int files() const { return m_files.get(); }
    int info() const { return m_info.get(); }
    const QByteArray& path() const { return m_folder; }

    // What the entry's record gives as its original name, or the entry's own name.
    QString originalName(const QByteArray& name) const {
        if (!m_info.isOpen())
            return PathCodec::decode(name);
        const QByteArray recordName = name + recordSuffix;
        Descriptor record(m_calls, m_calls.openAt(m_info.get(), recordName.constData(),
                                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK));
        QByteArray contents;
        char buffer[4096];
        for (ssize_t n; record.isOpen() && contents.size() < 65536 &&
                        (n = m_calls.read(record.get(), buffer, sizeof buffer)) > 0;)
            contents.append(buffer, n);
        return TrashEntry::originalName(contents, name);
    }

    // Removes the entry (a missing one is already gone), then its record.
    void remove(const QByteArray& name) const {
        const QByteArray path = m_folder + "/files/" + name;
        if (!m_files.isOpen() && m_filesError != ENOENT)
            throw PlatformError(m_filesError, PathCodec::decode(QByteArray(m_folder + "/files")));
        struct stat status;
        if (!m_files.isOpen()) {
            // No files/ folder: the entry is gone already.
        } else if (m_calls.statAt(m_files.get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            int removed = 0;
            // A read-only folder the user trashed (a module cache, an unpacked archive)
            // gets owner access back first: what is in the trash is the user's to delete.
            m_primitives.remover.removeAt(m_files.get(), name, path, removed, std::nullopt,
                                          TreeRemover::Owner::thisProgram);
        } else if (errno != ENOENT) {
            throw PlatformError::fromErrno(PathCodec::decode(path));
        }
        removeRecord(name + recordSuffix);
    }

    void removeRecord(const QByteArray& recordName) const {
        if (!m_info.isOpen())
            return;
        if (m_calls.unlinkAt(m_info.get(), recordName.constData(), 0) != 0 && errno != ENOENT)
            throw PlatformError::fromErrno(PathCodec::decode(QByteArray(m_folder + "/info/" + recordName)));
    }

private:
    FilePrimitives& m_primitives;
    SystemCalls& m_calls;
    QByteArray m_folder;
    Descriptor m_fd;
    Descriptor m_files;
    Descriptor m_info;
    int m_error = 0;
    int m_filesError = 0;
};

// Ends a purge that failed or was cancelled at the entry named name.
[[noreturn]] void fail(const PlatformError& error, const QString& name, OperationControl* control) {
    if (control)
        control->setPhase(OperationControl::Phase::finished);
    if (error.code() == ECANCELED && control && control->isCancelRequested())
        throw PermanentDeleteError::cancelled({});
    throw itemError<PermanentDeleteError>(error, name);
}

void begin(OperationControl* control, qsizetype items) {
    if (!control)
        return;
    control->setTotals(items, 0);
    control->setPhase(OperationControl::Phase::working);
}

} // namespace

void TrashPurge::remove(FilePrimitives& primitives, const QStringList& trashedPaths,
                        OperationControl* control) {
    const std::vector<TrashListing::Folder> folders = TrashListing::folders(primitives.calls);
    QList<TrashEntry> entries;
    for (const QString& path : trashedPaths) {
        const std::optional<TrashEntry> entry = TrashEntry::of(path, folders);
        if (!entry)
            throw PermanentDeleteError::failed(FilePath::lastComponent(path), qtTrId("trash.notInTrash"));
        entries.append(*entry);
    }
    begin(control, entries.size());
    // The cache lines of what is gone are dropped at the end, once per trash folder,
    // also after a failure or a cancel.
    QHash<QByteArray, QList<QByteArray>> gone;
    const auto forget = [&] {
        for (auto folder = gone.cbegin(); folder != gone.cend(); ++folder)
            primitives.trash.forgetDirectorySizes(folder.key(), folder.value());
    };
    for (const TrashEntry& entry : entries) {
        QString name = PathCodec::decode(entry.name);
        try {
            checkCancelled(control, PathCodec::decode(entry.files()));
            OpenTrash trash(primitives, entry.folder);
            if (!trash.isOpen())
                throw PlatformError(trash.error(), PathCodec::decode(entry.folder));
            name = trash.originalName(entry.name);
            trash.remove(entry.name);
            gone[entry.folder].append(entry.name);
            advanceItems(control);
        } catch (const PlatformError& error) {
            forget();
            fail(error, name, control);
        }
    }
    forget();
    if (control)
        control->setPhase(OperationControl::Phase::finished);
}

void TrashPurge::empty(FilePrimitives& primitives, OperationControl* control) {
    SystemCalls& calls = *primitives.calls;
    struct Contents {
        std::unique_ptr<OpenTrash> trash;
        std::vector<QByteArray> entries;
        std::vector<QByteArray> strayRecords;
    };
    std::vector<Contents> trashes;
    qsizetype total = 0;
    for (const TrashListing::Folder& folder : TrashListing::folders(primitives.calls)) {
        auto trash = std::make_unique<OpenTrash>(primitives, folder.directory);
        struct stat status;
        struct statfs volume;
        // Only the user's own trash folders on volumes that can be written are emptied.
        if (!trash->isOpen() || calls.statFd(trash->folder(), &status) != 0 || status.st_uid != ::geteuid() ||
            calls.statFileSystem(folder.directory.constData(), &volume) != 0 || (volume.f_flags & ST_RDONLY))
            continue;
        Contents contents{std::move(trash), {}, {}};
        try {
            if (contents.trash->files() >= 0)
                contents.entries =
                    FolderNameReader::readAt(calls, contents.trash->files(), folder.directory + "/files");
            if (contents.trash->info() >= 0) {
                const QSet<QByteArray> present(contents.entries.begin(), contents.entries.end());
                for (const QByteArray& record :
                     FolderNameReader::readAt(calls, contents.trash->info(), folder.directory + "/info"))
                    if (record.endsWith(recordSuffix) &&
                        !present.contains(record.left(record.size() - recordSuffix.size())))
                        contents.strayRecords.push_back(record);
            }
        } catch (const PlatformError& error) {
            fail(error, PathCodec::decode(folder.directory), control);
        }
        total += qsizetype(contents.entries.size() + contents.strayRecords.size());
        trashes.push_back(std::move(contents));
    }
    begin(control, total);
    for (const Contents& contents : trashes) {
        const OpenTrash& trash = *contents.trash;
        for (const QByteArray& entry : contents.entries) {
            QString name = PathCodec::decode(entry);
            try {
                checkCancelled(control, name);
                name = trash.originalName(entry);
                trash.remove(entry);
                advanceItems(control);
            } catch (const PlatformError& error) {
                fail(error, name, control);
            }
        }
        for (const QByteArray& record : contents.strayRecords) {
            try {
                checkCancelled(control, PathCodec::decode(record));
                trash.removeRecord(record);
                advanceItems(control);
            } catch (const PlatformError& error) {
                fail(error, PathCodec::decode(record), control);
            }
        }
        // The cache only ever describes entries, and none is left.
        if (calls.unlinkAt(trash.folder(), "directorysizes", 0) != 0 && errno != ENOENT)
            fail(PlatformError::fromErrno(PathCodec::decode(QByteArray(trash.path() + "/directorysizes"))),
                 QStringLiteral("directorysizes"), control);
    }
    if (control)
        control->setPhase(OperationControl::Phase::finished);
}

} // namespace quillmere
