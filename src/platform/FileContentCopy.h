#pragma once

#include <QByteArray>

struct stat;

namespace quillmere {

class SystemCalls;

// Copies the bytes of one open regular file into another: cloned where the file system
// can share blocks, else copied in the kernel, else read and written. Holes stay holes.
namespace FileContentCopy {

// status is the source's; source names it in errors. Throws PlatformError.
void run(SystemCalls& calls, int in, int out, const struct stat& status, const QByteArray& source);

} // namespace FileContentCopy

} // namespace quillmere
