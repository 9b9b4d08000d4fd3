#pragma once

#include <sys/stat.h>

namespace quillmere {

// Which file an entry is: a name can be given to another file at any moment, the
// device and inode numbers cannot.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;

    static FileIdentity of(const struct stat& status) { return {status.st_dev, status.st_ino}; }
    bool operator==(const FileIdentity&) const = default;
};

} // namespace quillmere
