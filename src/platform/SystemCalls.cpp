#include "SystemCalls.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace quillmere {

#define QM_INTERCEPT(primitive, path, failure)                                                               \
    if (const int injected = intercept(primitive, path)) {                                                   \
        errno = injected;                                                                                    \
        return failure;                                                                                      \
    }

const char* primitiveName(Primitive primitive) {
    switch (primitive) {
    case Primitive::OpenDirectory: return "openDirectory";
    case Primitive::ReadDirectory: return "readDirectory";
    case Primitive::Stat: return "stat";
    case Primitive::Open: return "open";
    case Primitive::Close: return "close";
    case Primitive::Read: return "read";
    case Primitive::Write: return "write";
    case Primitive::Sync: return "sync";
    case Primitive::Seek: return "seek";
    case Primitive::Truncate: return "truncate";
    case Primitive::Clone: return "clone";
    case Primitive::CopyRange: return "copyRange";
    case Primitive::Rename: return "rename";
    case Primitive::Link: return "link";
    case Primitive::Unlink: return "unlink";
    case Primitive::RemoveDirectory: return "removeDirectory";
    case Primitive::MakeDirectory: return "makeDirectory";
    case Primitive::MakeSymlink: return "makeSymlink";
    case Primitive::ReadLink: return "readLink";
    case Primitive::MakeFifo: return "makeFifo";
    case Primitive::MakeNode: return "makeNode";
    case Primitive::ChangeMode: return "changeMode";
    case Primitive::SetTimes: return "setTimes";
    case Primitive::StatFileSystem: return "statFileSystem";
    case Primitive::GetFlags: return "getFlags";
    case Primitive::ChangeOwner: return "changeOwner";
    case Primitive::ReadAttributes: return "readAttributes";
    case Primitive::WriteAttribute: return "writeAttribute";
    case Primitive::ResolvePath: return "resolvePath";
    case Primitive::Lock: return "lock";
    }
    return "?";
}

std::shared_ptr<SystemCalls> SystemCalls::real() {
    static const auto calls = std::make_shared<SystemCalls>();
    return calls;
}

int SystemCalls::intercept(Primitive, const char*) {
    return 0;
}

DIR* SystemCalls::openDirectory(const char* path) {
    QM_INTERCEPT(Primitive::OpenDirectory, path, nullptr);
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return directory;
}

dirent* SystemCalls::readDirectory(DIR* directory, const char* path) {
    QM_INTERCEPT(Primitive::ReadDirectory, path, nullptr);
    errno = 0;
    return ::readdir(directory);
}

int SystemCalls::closeDirectory(DIR* directory) {
    return ::closedir(directory);
}

int SystemCalls::statAt(int dirFd, const char* path, struct stat* out, int flags) {
    QM_INTERCEPT(Primitive::Stat, path, -1);
    return ::fstatat(dirFd, path, out, flags);
}

int SystemCalls::statFd(int fd, struct stat* out) {
    QM_INTERCEPT(Primitive::Stat, nullptr, -1);
    return ::fstat(fd, out);
}

int SystemCalls::open(const char* path, int flags, mode_t mode) {
    QM_INTERCEPT(Primitive::Open, path, -1);
    return ::open(path, flags | O_CLOEXEC, mode);
}

int SystemCalls::close(int fd) {
    if (const int injected = intercept(Primitive::Close, nullptr)) {
        ::close(fd); // the descriptor must not leak even when the failure is injected
        errno = injected;
        return -1;
    }
    return ::close(fd);
}

ssize_t SystemCalls::read(int fd, void* buffer, size_t size) {
    QM_INTERCEPT(Primitive::Read, nullptr, -1);
    return ::read(fd, buffer, size);
}

ssize_t SystemCalls::write(int fd, const void* buffer, size_t size) {
    QM_INTERCEPT(Primitive::Write, nullptr, -1);
    return ::write(fd, buffer, size);
}

int SystemCalls::sync(int fd) {
    QM_INTERCEPT(Primitive::Sync, nullptr, -1);
    return ::fsync(fd);
}

off_t SystemCalls::seek(int fd, off_t offset, int whence) {
    QM_INTERCEPT(Primitive::Seek, nullptr, -1);
    return ::lseek(fd, offset, whence);
}

int SystemCalls::truncate(int fd, off_t length) {
    QM_INTERCEPT(Primitive::Truncate, nullptr, -1);
    return ::ftruncate(fd, length);
}

int SystemCalls::cloneFile(int destinationFd, int sourceFd) {
    QM_INTERCEPT(Primitive::Clone, nullptr, -1);
    return ::ioctl(destinationFd, FICLONE, sourceFd);
}

ssize_t SystemCalls::copyRange(int inFd, off_t* inOffset, int outFd, off_t* outOffset, size_t length) {
    QM_INTERCEPT(Primitive::CopyRange, nullptr, -1);
    return ::copy_file_range(inFd, inOffset, outFd, outOffset, length, 0);
}

int SystemCalls::renameNoReplace(const char* from, const char* to) {
    QM_INTERCEPT(Primitive::Rename, from, -1);
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int SystemCalls::rename(const char* from, const char* to) {
    QM_INTERCEPT(Primitive::Rename, from, -1);
    return ::rename(from, to);
}

int SystemCalls::link(const char* from, const char* to) {
    QM_INTERCEPT(Primitive::Link, from, -1);
    return ::link(from, to);
}

int SystemCalls::unlink(const char* path) {
    QM_INTERCEPT(Primitive::Unlink, path, -1);
    return ::unlink(path);
}

int SystemCalls::removeDirectory(const char* path) {
    QM_INTERCEPT(Primitive::RemoveDirectory, path, -1);
    return ::rmdir(path);
}

int SystemCalls::makeDirectory(const char* path, mode_t mode) {
    QM_INTERCEPT(Primitive::MakeDirectory, path, -1);
    return ::mkdir(path, mode);
}

int SystemCalls::makeSymlink(const char* target, const char* path) {
    QM_INTERCEPT(Primitive::MakeSymlink, path, -1);
    return ::symlink(target, path);
}

ssize_t SystemCalls::readLink(const char* path, char* buffer, size_t size) {
    QM_INTERCEPT(Primitive::ReadLink, path, -1);
    return ::readlink(path, buffer, size);
}

int SystemCalls::makeFifo(const char* path, mode_t mode) {
    QM_INTERCEPT(Primitive::MakeFifo, path, -1);
    return ::mkfifo(path, mode);
}

int SystemCalls::makeNode(const char* path, mode_t mode, dev_t device) {
    QM_INTERCEPT(Primitive::MakeNode, path, -1);
    return ::mknod(path, mode, device);
}

int SystemCalls::changeMode(int fd, mode_t mode) {
    QM_INTERCEPT(Primitive::ChangeMode, nullptr, -1);
    return ::fchmod(fd, mode);
}

int SystemCalls::changeModeAt(const char* path, mode_t mode) {
    QM_INTERCEPT(Primitive::ChangeMode, path, -1);
    return ::fchmodat(AT_FDCWD, path, mode, 0);
}

int SystemCalls::setTimes(int fd, const struct timespec times[2]) {
    QM_INTERCEPT(Primitive::SetTimes, nullptr, -1);
    return ::futimens(fd, times);
}

int SystemCalls::setTimesAt(const char* path, const struct timespec times[2]) {
    QM_INTERCEPT(Primitive::SetTimes, path, -1);
    return ::utimensat(AT_FDCWD, path, times, AT_SYMLINK_NOFOLLOW);
}

int SystemCalls::statFileSystem(const char* path, struct statfs* out) {
    QM_INTERCEPT(Primitive::StatFileSystem, path, -1);
    return ::statfs(path, out);
}

int SystemCalls::getFlags(int fd, int* flags) {
    QM_INTERCEPT(Primitive::GetFlags, nullptr, -1);
    return ::ioctl(fd, FS_IOC_GETFLAGS, flags);
}

int SystemCalls::openAt(int dirFd, const char* name, int flags, mode_t mode) {
    QM_INTERCEPT(Primitive::Open, name, -1);
    return ::openat(dirFd, name, flags | O_CLOEXEC, mode);
}

DIR* SystemCalls::openDirectoryFd(int fd, const char* path) {
    if (const int injected = intercept(Primitive::OpenDirectory, path)) {
        ::close(fd);
        errno = injected;
        return nullptr;
    }
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return directory;
}

int SystemCalls::unlinkAt(int dirFd, const char* name, int flags) {
    QM_INTERCEPT((flags & AT_REMOVEDIR) ? Primitive::RemoveDirectory : Primitive::Unlink, name, -1);
    return ::unlinkat(dirFd, name, flags);
}

int SystemCalls::makeDirectoryAt(int dirFd, const char* name, mode_t mode) {
    QM_INTERCEPT(Primitive::MakeDirectory, name, -1);
    return ::mkdirat(dirFd, name, mode);
}

int SystemCalls::makeSymlinkAt(const char* target, int dirFd, const char* name) {
    QM_INTERCEPT(Primitive::MakeSymlink, name, -1);
    return ::symlinkat(target, dirFd, name);
}

ssize_t SystemCalls::readLinkAt(int dirFd, const char* name, char* buffer, size_t size) {
    QM_INTERCEPT(Primitive::ReadLink, name, -1);
    return ::readlinkat(dirFd, name, buffer, size);
}

int SystemCalls::makeNodeAt(int dirFd, const char* name, mode_t mode, dev_t device) {
    QM_INTERCEPT(S_ISFIFO(mode) ? Primitive::MakeFifo : Primitive::MakeNode, name, -1);
    return ::mknodat(dirFd, name, mode, device);
}

int SystemCalls::linkAt(int fromDirFd, const char* from, int toDirFd, const char* to) {
    QM_INTERCEPT(Primitive::Link, to, -1);
    return ::linkat(fromDirFd, from, toDirFd, to, 0);
}

int SystemCalls::lock(int fd, int operation) {
    QM_INTERCEPT(Primitive::Lock, nullptr, -1);
    return ::flock(fd, operation);
}

int SystemCalls::changeModeIn(int dirFd, const char* name, mode_t mode) {
    QM_INTERCEPT(Primitive::ChangeMode, name, -1);
    return ::fchmodat(dirFd, name, mode, 0);
}

int SystemCalls::setTimesIn(int dirFd, const char* name, const struct timespec times[2]) {
    QM_INTERCEPT(Primitive::SetTimes, name, -1);
    return ::utimensat(dirFd, name, times, AT_SYMLINK_NOFOLLOW);
}

int SystemCalls::changeOwner(int fd, uid_t owner, gid_t group) {
    QM_INTERCEPT(Primitive::ChangeOwner, nullptr, -1);
    return ::fchown(fd, owner, group);
}

int SystemCalls::changeOwnerIn(int dirFd, const char* name, uid_t owner, gid_t group) {
    QM_INTERCEPT(Primitive::ChangeOwner, name, -1);
    return ::fchownat(dirFd, name, owner, group, AT_SYMLINK_NOFOLLOW);
}

ssize_t SystemCalls::listAttributes(int fd, char* buffer, size_t size) {
    QM_INTERCEPT(Primitive::ReadAttributes, nullptr, -1);
    return ::flistxattr(fd, buffer, size);
}

ssize_t SystemCalls::getAttribute(int fd, const char* name, void* value, size_t size) {
    QM_INTERCEPT(Primitive::ReadAttributes, name, -1);
    return ::fgetxattr(fd, name, value, size);
}

int SystemCalls::setAttribute(int fd, const char* name, const void* value, size_t size) {
    QM_INTERCEPT(Primitive::WriteAttribute, name, -1);
    return ::fsetxattr(fd, name, value, size, 0);
}

QByteArray SystemCalls::resolvePath(const char* path) {
    QM_INTERCEPT(Primitive::ResolvePath, path, {});
    char* resolved = ::realpath(path, nullptr);
    if (!resolved)
        return {};
    QByteArray result(resolved);
    ::free(resolved);
    return result;
}

} // namespace quillmere
