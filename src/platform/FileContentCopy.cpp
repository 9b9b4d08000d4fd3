#include "FileContentCopy.h"

#include "OperationControl.h"
#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <vector>

namespace quillmere {
namespace {

constexpr size_t bufferSize = 1 << 20;
// How much one in-kernel copy call moves at most: small enough that progress moves and
// a cancel is taken within a fraction of a second even on a slow disk.
constexpr off_t kernelChunk = off_t(8) << 20;

[[noreturn]] void fail(const QByteArray& path) {
    throw PlatformError::fromErrno(PathCodec::decode(path));
}

// Errors that mean "this file system cannot do it this way", not "the copy failed".
bool isUnsupported(int code) {
    return code == EOPNOTSUPP || code == ENOTTY || code == EXDEV || code == EINVAL || code == ENOSYS ||
           code == EBADF;
}

void copyRange(SystemCalls& calls, int in, int out, off_t from, off_t to, bool& kernelCopy,
               const QByteArray& source, OperationControl* control) {
    off_t inOffset = from;
    off_t outOffset = from;
    while (kernelCopy && inOffset < to) {
        const ssize_t copied =
            calls.copyRange(in, &inOffset, out, &outOffset, size_t(std::min(to - inOffset, kernelChunk)));
        if (copied < 0) {
            if (!isUnsupported(errno))
                fail(source);
            kernelCopy = false;
            break;
        }
        if (copied == 0)
            return; // the source became shorter while it was copied
        advanceBytes(control, copied);
        checkCancelled(control, source);
    }
    if (inOffset >= to)
        return;

    std::vector<char> buffer(bufferSize);
    if (calls.seek(in, inOffset, SEEK_SET) < 0 || calls.seek(out, inOffset, SEEK_SET) < 0)
        fail(source);
    while (inOffset < to) {
        const ssize_t got = calls.read(in, buffer.data(), size_t(std::min<off_t>(to - inOffset, bufferSize)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(source);
        }
        if (got == 0)
            return;
        for (ssize_t written = 0; written < got;) {
            const ssize_t n = calls.write(out, buffer.data() + written, size_t(got - written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fail(source);
            }
            written += n;
        }
        inOffset += got;
        advanceBytes(control, got);
        checkCancelled(control, source);
    }
}

} // namespace

void FileContentCopy::run(SystemCalls& calls, int in, int out, const struct stat& status,
                          const QByteArray& source, OperationControl* control) {
    if (calls.cloneFile(out, in) == 0) {
        advanceBytes(control, status.st_size);
        return;
    }
    if (!isUnsupported(errno))
        fail(source);

    const off_t size = status.st_size;
    bool kernelCopy = true;
    const bool mayHaveHoles = off_t(status.st_blocks) * 512 < size;
    if (!mayHaveHoles) {
        copyRange(calls, in, out, 0, size, kernelCopy, source, control);
        return;
    }
    off_t offset = 0;
    while (offset < size) {
        const off_t dataStart = calls.seek(in, offset, SEEK_DATA);
        if (dataStart < 0) {
            if (errno == ENXIO)
                break; // only a hole remains
            if (!isUnsupported(errno))
                fail(source);
            copyRange(calls, in, out, offset, size, kernelCopy, source, control);
            offset = size;
            break;
        }
        off_t holeStart = calls.seek(in, dataStart, SEEK_HOLE);
        if (holeStart < 0)
            fail(source);
        holeStart = std::min(holeStart, size);
        advanceBytes(control, std::min(dataStart, size) - offset);
        copyRange(calls, in, out, dataStart, holeStart, kernelCopy, source, control);
        offset = holeStart;
    }
    if (offset < size)
        advanceBytes(control, size - offset);
    // Extends the file over a trailing hole without writing it.
    if (calls.truncate(out, size) != 0)
        fail(source);
}

} // namespace quillmere
