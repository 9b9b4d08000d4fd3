#include "FolderNames.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>

namespace quillmere {

std::vector<QByteArray> FolderNames::read(SystemCalls& calls, const QByteArray& folder) {
    DIR* directory = calls.openDirectory(folder.constData());
    if (!directory)
        throw PlatformError::fromErrno(PathCodec::decode(folder));
    std::vector<QByteArray> names;
    while (dirent* record = calls.readDirectory(directory, folder.constData())) {
        const char* name = record->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        names.emplace_back(name);
    }
    const int saved = errno;
    calls.closeDirectory(directory);
    if (saved != 0)
        throw PlatformError(saved, PathCodec::decode(folder));
    return names;
}

} // namespace quillmere
