#pragma once

#include <QByteArray>

struct stat;

namespace quillmere {

class OperationControl;
class SystemCalls;

// Copies the bytes of one open regular file into another: cloned where the file system
// can share blocks, else copied in the kernel, else read and written. Holes stay holes.
namespace FileContentCopy {

// status is the source's; source names it in errors. Throws PlatformError. The bytes are
// counted on control as they are written, a chunk at a time (a hole counts as written
// when it is passed over); a cancel request ends the copy after the current chunk.
void run(SystemCalls& calls, int in, int out, const struct stat& status, const QByteArray& source,
         OperationControl* control = nullptr);

} // namespace FileContentCopy

} // namespace quillmere
