#include "LinkTarget.h"

#include "PathCodec.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {

bool LinkTarget::isFolder(const QString& path) {
    struct stat status {};
    const QByteArray bytes = PathCodec::encode(path);
    return SystemCalls::real()->statAt(AT_FDCWD, bytes.constData(), &status, 0) == 0 &&
           S_ISDIR(status.st_mode);
}

} // namespace quillmere
