#include "FolderNameReader.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillmere {
namespace {

std::vector<QByteArray> drain(SystemCalls& calls, DIR* directory, const QByteArray& folder) {
    std::vector<QByteArray> names;
    while (dirent* record = calls.readDirectory(directory, folder.constData())) {
        const char* name = record->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        names.emplace_back(name);
    }
    const int saved = errno;
    calls.closeDirectory(directory);
    if (saved != 0)
        throw PlatformError(saved, PathCodec::decode(folder));
    return names;
}

} // namespace

std::vector<QByteArray> FolderNameReader::read(SystemCalls& calls, const QByteArray& folder) {
    DIR* directory = calls.openDirectory(folder.constData());
    if (!directory)
        throw PlatformError::fromErrno(PathCodec::decode(folder));
    return drain(calls, directory, folder);
}

std::vector<QByteArray> FolderNameReader::readAt(SystemCalls& calls, int folderFd, const QByteArray& folder) {
    // The directory stream takes its descriptor over, so it reads from a duplicate.
    const int duplicate = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (duplicate < 0)
        throw PlatformError::fromErrno(PathCodec::decode(folder));
    DIR* directory = calls.openDirectoryFd(duplicate, folder.constData());
    if (!directory)
        throw PlatformError::fromErrno(PathCodec::decode(folder));
    // A duplicate shares the reading position; start from the first entry.
    ::rewinddir(directory);
    return drain(calls, directory, folder);
}

} // namespace quillmere
