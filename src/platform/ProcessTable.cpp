#include "ProcessTable.h"

#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {
namespace {

struct DirectoryClose {
    void operator()(DIR* directory) const { closedir(directory); }
};

// "PID (COMM) STATE ..."; COMM may itself hold ")" and blanks, so the last ")" ends it.
bool statLineMatches(const QByteArray& line, const QByteArray& name) {
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= line.size())
        return false;
    const char state = line.at(close + 2);
    return line.mid(open + 1, close - open - 1) == name && state != 'Z' && state != 'X';
}

QByteArray readSmallFile(int folderFd, const char* name) {
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[512];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    return count > 0 ? QByteArray(buffer, count) : QByteArray();
}

} // namespace

bool ProcessTable::isRunningForCurrentUser(const QByteArray& name) {
    const std::unique_ptr<DIR, DirectoryClose> proc(opendir("/proc"));
    if (!proc)
        return false;
    const uid_t user = getuid();
    while (const dirent* entry = readdir(proc.get())) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0])))
            continue;
        const int folderFd = ::openat(dirfd(proc.get()), entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0)
            continue; // the process ended meanwhile
        struct stat status {};
        const bool ours = ::fstat(folderFd, &status) == 0 && status.st_uid == user;
        const bool matches = ours && statLineMatches(readSmallFile(folderFd, "stat"), name);
        ::close(folderFd);
        if (matches)
            return true;
    }
    return false;
}

} // namespace quillmere
