#pragma once

#include <QByteArray>

namespace quillmere {

class SystemCalls;

// Copies the extended attributes of one open file or folder to another, POSIX ACLs
// (system.posix_acl_*) among them.
class AttributeCopy final {
public:
    // Returns how many attributes the destination refused (no support on that file system,
    // or a namespace this process may not write). Other failures throw PlatformError
    // naming destination.
    static int run(SystemCalls& calls, int in, int out, const QByteArray& destination);
};

} // namespace quillmere
