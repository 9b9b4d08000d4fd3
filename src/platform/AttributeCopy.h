#pragma once

#include <QByteArray>

namespace quillmere {

class SystemCalls;

// Copies the extended attributes of one open file or folder to another, POSIX ACLs
// (system.posix_acl_*) among them.
namespace AttributeCopy {

// Returns how many attributes the destination refused (no support on that file system,
// or a namespace this process may not write). Other failures throw PlatformError
// naming destination.
int run(SystemCalls& calls, int in, int out, const QByteArray& destination);

} // namespace AttributeCopy

} // namespace quillmere
