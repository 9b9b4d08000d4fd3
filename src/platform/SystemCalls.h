#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/types.h>

#include <QByteArray>

#include <memory>

namespace quillmere {

// The system calls a file primitive may make, named so a test can pick one.
enum class Primitive {
    OpenDirectory,
    ReadDirectory,
    Stat,
    Open,
    Close,
    Read,
    Write,
    Sync,
    Seek,
    Truncate,
    Clone,
    CopyRange,
    Rename,
    Link,
    Unlink,
    RemoveDirectory,
    MakeDirectory,
    MakeSymlink,
    ReadLink,
    MakeFifo,
    MakeNode,
    ChangeMode,
    SetTimes,
    StatFileSystem,
    GetFlags,
    ChangeOwner,
    ReadAttributes,
    WriteAttribute,
    ResolvePath,
    Lock,
};

const char* primitiveName(Primitive primitive);

// The one seam between Quillmere and the kernel's file calls.
//
// Each method makes the real call and reports failure as -1 (or nullptr) with errno
// set, exactly like the call it wraps. Before every call it asks intercept(), which a
// test double overrides to make a chosen call fail with a chosen errno, or to change
// the tree between two steps. Methods are virtual so a double can also fake answers
// (for example a file-system type) that cannot be produced for real in a test.
class SystemCalls {
public:
    SystemCalls() = default;
    virtual ~SystemCalls() = default;
    SystemCalls(const SystemCalls&) = delete;
    SystemCalls& operator=(const SystemCalls&) = delete;

    static std::shared_ptr<SystemCalls> real();

    virtual DIR* openDirectory(const char* path);
    virtual dirent* readDirectory(DIR* directory, const char* path);
    virtual int closeDirectory(DIR* directory);

    virtual int statAt(int dirFd, const char* path, struct stat* out, int flags);
    virtual int statFd(int fd, struct stat* out);
    virtual int open(const char* path, int flags, mode_t mode = 0);
    virtual int close(int fd);
    virtual ssize_t read(int fd, void* buffer, size_t size);
    virtual ssize_t write(int fd, const void* buffer, size_t size);
    virtual int sync(int fd);
    virtual off_t seek(int fd, off_t offset, int whence);
    virtual int truncate(int fd, off_t length);
    virtual int cloneFile(int destinationFd, int sourceFd);
    virtual ssize_t copyRange(int inFd, off_t* inOffset, int outFd, off_t* outOffset, size_t length);

    virtual int renameNoReplace(const char* from, const char* to);
    virtual int rename(const char* from, const char* to);
    virtual int link(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int removeDirectory(const char* path);
    virtual int makeDirectory(const char* path, mode_t mode);
    virtual int makeSymlink(const char* target, const char* path);
    virtual ssize_t readLink(const char* path, char* buffer, size_t size);
    virtual int makeFifo(const char* path, mode_t mode);
    virtual int makeNode(const char* path, mode_t mode, dev_t device);
    virtual int changeMode(int fd, mode_t mode);
    virtual int changeModeAt(const char* path, mode_t mode);
    virtual int setTimes(int fd, const struct timespec times[2]);
    virtual int setTimesAt(const char* path, const struct timespec times[2]);
    virtual int statFileSystem(const char* path, struct statfs* out);
    virtual int getFlags(int fd, int* flags);

    // Calls relative to an open folder, for walks that must not follow a folder that was
    // swapped for a link while they run. The path a hook sees is the name in that folder.
    virtual int openAt(int dirFd, const char* name, int flags, mode_t mode = 0);
    // Reads the folder open at fd; takes fd over (closes it also when this fails).
    virtual DIR* openDirectoryFd(int fd, const char* path);
    virtual int unlinkAt(int dirFd, const char* name, int flags);
    virtual int makeDirectoryAt(int dirFd, const char* name, mode_t mode);
    virtual int makeSymlinkAt(const char* target, int dirFd, const char* name);
    virtual ssize_t readLinkAt(int dirFd, const char* name, char* buffer, size_t size);
    virtual int makeNodeAt(int dirFd, const char* name, mode_t mode, dev_t device);
    virtual int linkAt(int fromDirFd, const char* from, int toDirFd, const char* to);
    // flock(2) on an open file.
    virtual int lock(int fd, int operation);
    virtual int changeModeIn(int dirFd, const char* name, mode_t mode);
    virtual int setTimesIn(int dirFd, const char* name, const struct timespec times[2]);
    virtual int changeOwner(int fd, uid_t owner, gid_t group);
    virtual int changeOwnerIn(int dirFd, const char* name, uid_t owner, gid_t group);
    virtual ssize_t listAttributes(int fd, char* buffer, size_t size);
    virtual ssize_t getAttribute(int fd, const char* name, void* value, size_t size);
    virtual int setAttribute(int fd, const char* name, const void* value, size_t size);
    // The path with every link and "." or ".." resolved; empty with errno set on failure.
    virtual QByteArray resolvePath(const char* path);

protected:
    // Returns 0 to let the call proceed, or an errno value to fail it with.
    virtual int intercept(Primitive primitive, const char* path);
};

} // namespace quillmere
