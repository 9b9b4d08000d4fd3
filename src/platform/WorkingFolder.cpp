#include "WorkingFolder.h"

#include "PathCodec.h"

#include <QByteArray>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace quillmere {

QString WorkingFolder::path() {
    // Paths may be longer than PATH_MAX; grow the buffer until the answer fits.
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    for (;;) {
        if (::getcwd(buffer.data(), size_t(buffer.size())))
            break;
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    buffer.truncate(qsizetype(qstrlen(buffer.constData())));
    // Older C libraries answer "(unreachable)/..." for a folder outside the root.
    if (!buffer.startsWith('/'))
        return {};
    return PathCodec::decode(buffer);
}

} // namespace quillmere
