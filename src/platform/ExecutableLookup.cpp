#include "ExecutableLookup.h"

#include "PathCodec.h"

#include <QByteArrayList>

#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {
namespace {

bool isExecutableBytes(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.constData(), X_OK) == 0;
}

} // namespace

bool ExecutableLookup::isExecutableFile(const QString& path) {
    return isExecutableBytes(PathCodec::encode(path));
}

std::optional<QString> ExecutableLookup::findInPath(const QString& name, const QByteArray& searchPath) {
    if (name.isEmpty())
        return std::nullopt;
    const QByteArray nameBytes = PathCodec::encode(name);
    if (nameBytes.contains('/')) {
        if (nameBytes.startsWith('/') && isExecutableBytes(nameBytes))
            return name;
        return std::nullopt;
    }
    for (const QByteArray& folder : searchPath.split(':')) {
        if (!folder.startsWith('/'))
            continue;
        const QByteArray candidate =
            folder.endsWith('/') ? QByteArray(folder + nameBytes) : QByteArray(folder + '/' + nameBytes);
        if (isExecutableBytes(candidate))
            return PathCodec::decode(candidate);
    }
    return std::nullopt;
}

std::optional<QString> ExecutableLookup::findInPath(const QString& name) {
    const QByteArray searchPath = qEnvironmentVariableIsSet("PATH")
                                      ? qgetenv("PATH")
                                      : QByteArrayLiteral("/usr/local/bin:/usr/bin:/bin");
    return findInPath(name, searchPath);
}

} // namespace quillmere
