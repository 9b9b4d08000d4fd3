#include "FolderAncestry.h"

#include "Descriptor.h"
#include "FileIdentity.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>

namespace quillmere {
namespace {

// Deeper than any real tree; the walk stops at the root long before.
constexpr int maximumDepth = 1 << 16;

[[noreturn]] void refuse(const QString& source) {
    throw PlatformError(
        EINVAL, source,
        QCoreApplication::translate("FolderAncestry", "A folder cannot be put inside itself"));
}

} // namespace

void FolderAncestry::refuseInsideItself(SystemCalls& calls, const QString& source,
                                        const QString& destination) {
    const QByteArray sourceBytes = PathCodec::encode(source);
    struct stat status;
    if (calls.statAt(AT_FDCWD, sourceBytes.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(status.st_mode))
        return;
    const FileIdentity folder = FileIdentity::of(status);

    const QByteArray destinationBytes = PathCodec::encode(destination);
    struct stat target;
    if (calls.statAt(AT_FDCWD, destinationBytes.constData(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
        FileIdentity::of(target) == folder)
        refuse(source);
    const qsizetype slash = destinationBytes.lastIndexOf('/');
    const QByteArray parent = slash <= 0 ? QByteArrayLiteral("/") : destinationBytes.left(slash);
    Descriptor current(calls, calls.open(parent.constData(), O_PATH | O_DIRECTORY));
    if (!current.isOpen())
        return; // a missing destination folder fails the operation with its own reason
    FileIdentity previous;
    for (int depth = 0; depth < maximumDepth; ++depth) {
        struct stat here;
        if (calls.statFd(current.get(), &here) != 0)
            return;
        const FileIdentity identity = FileIdentity::of(here);
        if (identity == folder)
            refuse(source);
        if (depth > 0 && identity == previous)
            return; // ".." of the root is the root
        previous = identity;
        Descriptor up(calls, calls.openAt(current.get(), "..", O_PATH | O_DIRECTORY));
        if (!up.isOpen())
            return;
        current = std::move(up);
    }
}

} // namespace quillmere
