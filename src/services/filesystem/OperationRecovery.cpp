#include "services/filesystem/OperationRecovery.h"

#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/JournalFile.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/desktop/Logger.h"
#include "services/filesystem/JournalRecord.h"

#include <fcntl.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

using Item = JournalRecord::Item;

class Recovery final {
public:
    Recovery(FilePrimitives& primitives, const JournalRecord& record)
        : m_primitives(primitives)
        , m_record(record) {
        m_result.kind = record.kind;
        m_result.total = int(record.items.size());
    }

    RecoveredOperation run() {
        for (int index = 0; index < int(m_record.items.size()); ++index) {
            const Item& item = m_record.items[index];
            switch (m_record.kind) {
            case JournalRecord::Kind::trash: trash(index, item); break;
            case JournalRecord::Kind::copy: copy(index, item); break;
            case JournalRecord::Kind::move: move(index, item); break;
            case JournalRecord::Kind::batchRename: batchRename(item); break;
            case JournalRecord::Kind::restore: restore(index, item); break;
            }
        }
        return m_result;
    }

private:
    std::optional<FileIdentity> identityAt(const QString& path) const {
        return m_primitives.probe.identity(path);
    }
    bool isPlanned(const std::optional<FileIdentity>& found, const Item& item) const {
        return found && item.identity.inode != 0 && *found == item.identity;
    }
    void undecided(const QString& path) { m_result.undecided.append(FilePath::lastComponent(path)); }

    // A temporary name is this program's own (it carries a fresh UUID): whatever is there
    // is an unfinished copy of ours.
    bool removeTemporary(const QString& temporary) {
        if (!identityAt(temporary))
            return true;
        try {
            m_primitives.remover.remove(temporary, TreeRemover::Owner::thisProgram);
            return true;
        } catch (const PlatformError& error) {
            QUILLMERE_LOG(logUI(), LogLevel::warn,
                          u"Cannot remove the unfinished copy %1: %2"_s.arg(temporary, error.description()));
            undecided(temporary);
            return false;
        }
    }

    bool removeRemains(const QString& path, const FileIdentity& expected) {
        try {
            int removed = 0;
            m_primitives.remover.removeBytes(PathCodec::encode(path), removed, expected);
            return true;
        } catch (const PlatformError& error) {
            QUILLMERE_LOG(logUI(), LogLevel::warn,
                          u"Cannot remove what is left of %1: %2"_s.arg(path, error.description()));
            undecided(path);
            return false;
        }
    }

    // A restore's overwritten item tries the trash names in turn, its own item's first:
    // a journal cut short there names the item being restored, not the overwritten one.
    bool isRestoredItself(const QString& trashed, const Item& item) const {
        return m_record.kind == JournalRecord::Kind::restore && trashed == item.source;
    }

    // The item an overwrite sent to the trash comes back when its place is free. The
    // journal names the place before the item went there, so it may never have arrived.
    void bringBackOverwritten(int index, const Item& item) {
        const auto trashed = m_record.trashed.constFind(index);
        if (trashed == m_record.trashed.constEnd() || isRestoredItself(*trashed, item))
            return;
        if (!identityAt(*trashed)) {
            m_primitives.trash.forgetUnfinished(*trashed, item.destination);
            return;
        }
        try {
            m_primitives.trash.restore(*trashed, item.destination);
        } catch (const PlatformError& error) {
            QUILLMERE_LOG(
                logUI(), LogLevel::warn,
                u"Cannot bring %1 back from the trash: %2"_s.arg(item.destination, error.description()));
            undecided(item.destination);
        }
    }

    // Whether the item an overwrite was replacing reached the trash; a record written
    // for it that it never reached is removed on the way.
    bool overwrittenIsInTrash(int index) {
        const auto trashed = m_record.trashed.constFind(index);
        if (trashed == m_record.trashed.constEnd() || isRestoredItself(*trashed, m_record.items[index]))
            return false;
        if (identityAt(*trashed))
            return true;
        m_primitives.trash.forgetUnfinished(*trashed, m_record.items[index].destination);
        return false;
    }

    // Trashing an item is one rename, so each item is in its place or in the trash already.
    void trash(int index, const Item& item) {
        if (isPlanned(identityAt(item.source), item)) {
            // Its record may have been written just before the run died.
            if (const auto trashed = m_record.trashed.constFind(index);
                trashed != m_record.trashed.constEnd())
                m_primitives.trash.forgetUnfinished(*trashed, item.source);
            ++m_result.restored;
        } else {
            ++m_result.completed;
        }
    }

    void copy(int index, const Item& item) {
        if (!removeTemporary(item.temporary))
            return;
        if (identityAt(item.destination)) {
            const bool replaced = !item.overwrite || overwrittenIsInTrash(index);
            ++(replaced ? m_result.completed : m_result.restored);
            return;
        }
        bringBackOverwritten(index, item);
        ++m_result.restored;
    }

    enum class Fate { before, after, undecided };

    void count(Fate fate) {
        if (fate == Fate::before)
            ++m_result.restored;
        else if (fate == Fate::after)
            ++m_result.completed;
    }

    void move(int index, const Item& item) { count(moveFate(index, item)); }

    Fate moveFate(int index, const Item& item) {
        if (!removeTemporary(item.temporary) || !removeTemporary(item.returnTemporary))
            return Fate::undecided;
        const std::optional<FileIdentity> source = identityAt(item.source);
        const std::optional<FileIdentity> destination = identityAt(item.destination);
        const auto copied = m_record.copied.constFind(index);
        const auto returned = m_record.returned.constFind(index);
        const bool copyInPlace = copied != m_record.copied.constEnd() && destination == *copied;
        if (source && destination) {
            if (copyInPlace && returned != m_record.returned.constEnd() && source == *returned) {
                // A rollback had put the item back and was taking away the copy.
                if (removeRemains(item.destination, *copied))
                    return Fate::before;
            } else if (copyInPlace && isPlanned(source, item)) {
                // The copy was complete in its place and the source was being removed.
                if (removeRemains(item.source, item.identity))
                    return Fate::after;
            } else if (item.overwrite && !overwrittenIsInTrash(index) && isPlanned(source, item)) {
                return Fate::before; // the item to be overwritten was never touched
            } else {
                undecided(item.source);
            }
            return Fate::undecided;
        }
        if (source) {
            bringBackOverwritten(index, item);
            return Fate::before;
        }
        if (destination)
            return Fate::after;
        undecided(item.source);
        return Fate::undecided;
    }

    // A restore is a move out of the trash followed by the removal of the item's record:
    // an item back in the trash gets its record again and the folders made for it go; an
    // item in its place loses its record (when the record is still the one planned).
    void restore(int index, const Item& item) {
        const Fate fate = moveFate(index, item);
        const QByteArray trashed = PathCodec::encode(item.source);
        const QByteArray filesFolder = trashed.left(trashed.lastIndexOf('/'));
        const QByteArray folder = filesFolder.left(filesFolder.lastIndexOf('/'));
        const QByteArray name = trashed.mid(trashed.lastIndexOf('/') + 1);
        const QByteArray recordPath = folder + "/info/" + name + ".trashinfo";
        const auto planned = m_record.trashRecords.constFind(index);
        if (fate == Fate::before && planned != m_record.trashRecords.constEnd()) {
            // A record being written back when the run died may be cut short.
            const std::optional<FreedesktopTrash::Record> current = m_primitives.trash.readRecord(recordPath);
            const bool cutShort = current && current->contents != planned->contents &&
                                  planned->contents.startsWith(current->contents);
            try {
                if (cutShort && m_primitives.calls->unlink(recordPath.constData()) != 0)
                    throw PlatformError::fromErrno(PathCodec::decode(recordPath));
                if (!current || cutShort)
                    m_primitives.trash.writeRecordBack(recordPath, *planned);
            } catch (const PlatformError& error) {
                QUILLMERE_LOG(
                    logUI(), LogLevel::warn,
                    u"Cannot write back the trash record of %1: %2"_s.arg(item.source, error.description()));
                undecided(item.source);
                return;
            }
        }
        if (fate == Fate::before) {
            const QList<FreedesktopTrash::MadeFolder> folders = m_record.madeFolders.value(index);
            for (auto made = folders.crbegin(); made != folders.crend(); ++made)
                m_primitives.trash.removeMadeFolder(*made);
        } else if (fate == Fate::after) {
            const std::optional<FreedesktopTrash::Record> current = m_primitives.trash.readRecord(recordPath);
            // Removed when it is the planned record, or one cut short while being written back.
            if (current && planned != m_record.trashRecords.constEnd() &&
                planned->contents.startsWith(current->contents) && !identityAt(item.source))
                m_primitives.calls->unlink(recordPath.constData());
            m_primitives.trash.forgetDirectorySizes(folder, {name});
        }
        count(fate);
    }

    bool renameTemporary(const QString& temporary, const QString& to) {
        try {
            m_primitives.mover.rename(temporary, to);
            return true;
        } catch (const PlatformError&) {
            return false;
        }
    }

    void batchRename(const Item& item) {
        if (isPlanned(identityAt(item.temporary), item)) {
            // Forward once the second phase had begun, unless a rollback was under way.
            const bool forward = m_record.secondPhase && !m_record.rollingBack;
            const QString& first = forward ? item.destination : item.source;
            const QString& second = forward ? item.source : item.destination;
            if (renameTemporary(item.temporary, first))
                ++(forward ? m_result.completed : m_result.restored);
            else if (renameTemporary(item.temporary, second))
                ++(forward ? m_result.restored : m_result.completed);
            else
                undecided(item.temporary);
        } else if (isPlanned(identityAt(item.destination), item)) {
            ++m_result.completed;
        } else if (isPlanned(identityAt(item.source), item)) {
            ++m_result.restored;
        } else {
            undecided(item.source);
        }
    }

    FilePrimitives& m_primitives;
    const JournalRecord& m_record;
    RecoveredOperation m_result;
};

} // namespace

RecoveryReport OperationRecovery::run(FilePrimitives& primitives, const QString& journalFolder) {
    RecoveryReport report;
    if (journalFolder.isEmpty())
        return report;
    std::vector<std::unique_ptr<JournalFile>> journals;
    try {
        journals = JournalFile::abandoned(primitives.calls, PathCodec::encode(journalFolder));
    } catch (const PlatformError& error) {
        QUILLMERE_LOG(
            logUI(), LogLevel::warn,
            u"Cannot look for unfinished operations in %1: %2"_s.arg(journalFolder, error.description()));
        return report;
    }
    for (const std::unique_ptr<JournalFile>& journal : journals) {
        const std::optional<JournalRecord> record = JournalRecord::parse(journal->contents());
        if (!record) {
            // Kept for a person to look at: nothing is done on a plan that cannot be read.
            QUILLMERE_LOG(
                logUI(), LogLevel::warn,
                u"Cannot read the journal %1; it is left as it is"_s.arg(PathCodec::decode(journal->path())));
            continue;
        }
        report.append(Recovery(primitives, *record).run());
        try {
            journal->remove();
        } catch (const PlatformError& error) {
            QUILLMERE_LOG(logUI(), LogLevel::warn,
                          u"Cannot remove the journal: %1"_s.arg(error.description()));
        }
    }
    return report;
}

} // namespace quillmere
