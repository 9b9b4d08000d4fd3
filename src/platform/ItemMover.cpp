#include "ItemMover.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"
#include "TreeCopier.h"
#include "TreeRemover.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>

namespace quillmere {

ItemMover::ItemMover(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

void ItemMover::rename(const QString& from, const QString& to) const {
    renameBytes(PathCodec::encode(from), PathCodec::encode(to));
}

void ItemMover::renameBytes(const QByteArray& from, const QByteArray& to) const {
    if (m_calls->renameNoReplace(from.constData(), to.constData()) == 0)
        return;
    if (errno == EINVAL || errno == ENOSYS) {
        renameWithoutKernelSupport(from, to);
        return;
    }
    throw PlatformError::fromErrno(PathCodec::decode(from));
}

void ItemMover::renameWithoutKernelSupport(const QByteArray& from, const QByteArray& to) const {
    struct stat status;
    if (m_calls->statAt(AT_FDCWD, from.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        throw PlatformError::fromErrno(PathCodec::decode(from));
    if (!S_ISDIR(status.st_mode)) {
        // link() fails when the name is taken, so the check and the move are one step.
        if (m_calls->link(from.constData(), to.constData()) == 0) {
            if (m_calls->unlink(from.constData()) != 0) {
                const int saved = errno;
                m_calls->unlink(to.constData());
                throw PlatformError(saved, PathCodec::decode(from));
            }
            return;
        }
        if (errno == EEXIST)
            throw PlatformError::fromErrno(PathCodec::decode(from));
        // File systems without hard links (FAT, exFAT) fall through to the checked rename.
    }
    struct stat existing;
    if (m_calls->statAt(AT_FDCWD, to.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        throw PlatformError(EEXIST, PathCodec::decode(from));
    if (errno != ENOENT)
        throw PlatformError::fromErrno(PathCodec::decode(from));
    if (m_calls->rename(from.constData(), to.constData()) != 0)
        throw PlatformError::fromErrno(PathCodec::decode(from));
}

TreeCopier::Outcome ItemMover::move(const QString& from, const QString& to,
                                    const CopyOptions& options) const {
    const QByteArray fromBytes = PathCodec::encode(from);
    const QByteArray toBytes = PathCodec::encode(to);
    try {
        renameBytes(fromBytes, toBytes);
        return {};
    } catch (const PlatformError& error) {
        if (error.code() != EXDEV)
            throw;
    }
    const TreeCopier::Outcome outcome = TreeCopier(m_calls).copyBytes(fromBytes, toBytes, options);
    const TreeRemover remover(m_calls);
    int removed = 0;
    try {
        // The source must still be the tree that was copied; a swapped one is not removed.
        remover.removeBytes(fromBytes, removed, outcome.source);
    } catch (const PlatformError& error) {
        if (removed == 0) {
            // Nothing of the original is gone yet (a read-only volume, a folder the user may
            // not change): taking the copy away again leaves everything as it was.
            try {
                int copyRemoved = 0;
                remover.removeBytes(toBytes, copyRemoved, outcome.copy, TreeRemover::Owner::thisProgram);
            } catch (const PlatformError&) {
                throw error.leavingBehind(to);
            }
            throw;
        }
        // The copy is complete and part of the source is already gone: keep both.
        throw PlatformError(error.code(), error.path(),
                            QCoreApplication::translate("ItemMover",
                                                        "Copied to the other volume, but the original "
                                                        "could not be removed completely"));
    }
    return outcome;
}

} // namespace quillmere
