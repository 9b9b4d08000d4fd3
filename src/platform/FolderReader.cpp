#include "FolderReader.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace quillmere {

FolderReader::FolderReader(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

std::vector<DirectoryEntry> FolderReader::read(const QString& folder, bool showHidden) const {
    const QByteArray folderBytes = PathCodec::encode(folder);
    DIR* directory = m_calls->openDirectory(folderBytes.constData());
    if (!directory)
        throw PlatformError::fromErrno(folder);
    const int fd = dirfd(directory);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';

    std::vector<DirectoryEntry> entries;
    for (;;) {
        dirent* record = m_calls->readDirectory(directory, folderBytes.constData());
        if (!record) {
            if (errno != 0) {
                const int saved = errno;
                m_calls->closeDirectory(directory);
                throw PlatformError(saved, folder);
            }
            break;
        }
        const char* name = record->d_name;
        if (name[0] == '.') {
            if (!showHidden || name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))
                continue;
        }
        struct stat status;
        if (m_calls->statAt(fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;

        DirectoryEntry entry;
        entry.name = PathCodec::decode(QByteArrayView(name, qsizetype(std::strlen(name))));
        entry.path = prefix + entry.name;
        entry.isDirectory = S_ISDIR(status.st_mode);
        // Only links cost a second stat; a broken or unreadable target is not a folder.
        struct stat target;
        entry.isLinkToFolder =
            S_ISLNK(status.st_mode) && m_calls->statAt(fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        if (!entry.isDirectory)
            entry.size = int64_t(status.st_size);
        entry.modificationDate = FileTime(std::chrono::seconds(status.st_mtim.tv_sec),
                                          std::chrono::nanoseconds(status.st_mtim.tv_nsec));
        entries.push_back(std::move(entry));
    }
    m_calls->closeDirectory(directory);
    return entries;
}

} // namespace quillmere
