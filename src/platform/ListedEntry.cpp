#include "ListedEntry.h"

#include "Descriptor.h"
#include "FileIdentity.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <fcntl.h>

namespace quillmere {

int ListedEntry::open(SystemCalls& calls, int folderFd, const QByteArray& name, const QByteArray& path,
                      const struct stat& listed, int flags) {
    const int fd = calls.openAt(folderFd, name.constData(), flags | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            throw PlatformError::replaced(PathCodec::decode(path));
        throw PlatformError::fromErrno(PathCodec::decode(path));
    }
    Descriptor descriptor(calls, fd);
    struct stat opened;
    if (calls.statFd(fd, &opened) != 0)
        throw PlatformError::fromErrno(PathCodec::decode(path));
    if (FileIdentity::of(opened) != FileIdentity::of(listed) ||
        (opened.st_mode & S_IFMT) != (listed.st_mode & S_IFMT))
        throw PlatformError::replaced(PathCodec::decode(path));
    return descriptor.release();
}

} // namespace quillmere
