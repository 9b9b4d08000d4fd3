#pragma once

#include <QByteArray>

#include <sys/types.h>

struct stat;

namespace quillmere {

class SystemCalls;

// Copies the bytes of one open regular file into another: cloned where the file system
// can share blocks, else copied in the kernel, else read and written. Holes stay holes.
class FileContentCopy final {
public:
    // status is the source's; source names it in errors. Throws PlatformError.
    static void run(SystemCalls& calls, int in, int out, const struct stat& status, const QByteArray& source);

private:
    static void copyRange(SystemCalls& calls, int in, int out, off_t from, off_t to, bool& kernelCopy,
                          const QByteArray& source);
};

} // namespace quillmere
