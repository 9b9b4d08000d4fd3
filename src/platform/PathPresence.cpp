#include "PathPresence.h"

#include "PathCodec.h"

#include <sys/stat.h>

namespace quillmere {

bool PathPresence::itemExists(const QString& path) {
    struct stat status;
    return ::stat(PathCodec::encode(path).constData(), &status) == 0;
}

} // namespace quillmere
