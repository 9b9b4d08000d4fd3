#include "HomeFolder.h"

#include "PathCodec.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace quillmere {

QByteArray HomeFolder::pathBytes() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return QByteArray(home);
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return QByteArray(entry->pw_dir);
    return QByteArrayLiteral("/");
}

QString HomeFolder::path() {
    return PathCodec::decode(pathBytes());
}

QByteArray HomeFolder::dataHomeBytes() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return QByteArray(dataHome);
    QByteArray home = pathBytes();
    if (home.endsWith('/'))
        home.chop(1);
    return home + "/.local/share";
}

} // namespace quillmere
