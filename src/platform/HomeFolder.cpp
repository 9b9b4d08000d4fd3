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

namespace {

QByteArray xdgFolder(const char* variable, const char* fallbackInHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return QByteArray(value);
    QByteArray home = HomeFolder::pathBytes();
    if (home.endsWith('/'))
        home.chop(1);
    return home + fallbackInHome;
}

} // namespace

QByteArray HomeFolder::dataHomeBytes() {
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

QByteArray HomeFolder::stateHomeBytes() {
    return xdgFolder("XDG_STATE_HOME", "/.local/state");
}

} // namespace quillmere
