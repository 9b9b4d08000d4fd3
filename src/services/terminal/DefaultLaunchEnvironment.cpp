#include "services/terminal/DefaultLaunchEnvironment.h"

#include "platform/ExecutableLookup.h"
#include "platform/GioLauncher.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProcessTable.h"

namespace quillmere {

bool DefaultLaunchEnvironment::hasDesktopEntry(const QString& desktopFileId) const {
    return GioLauncher::hasDesktopEntry(desktopFileId);
}

std::optional<QString> DefaultLaunchEnvironment::desktopEntryProgram(const QString& desktopFileId) const {
    return GioLauncher::desktopEntryExecutable(desktopFileId);
}

bool DefaultLaunchEnvironment::isExecutableFile(const QString& path) const {
    return ExecutableLookup::isExecutableFile(path);
}

std::optional<QString> DefaultLaunchEnvironment::findInPath(const QString& name) const {
    return ExecutableLookup::findInPath(name);
}

QString DefaultLaunchEnvironment::homeFolder() const {
    return HomeFolder::path();
}

QString DefaultLaunchEnvironment::environmentVariable(const char* name) const {
    return PathCodec::decode(qgetenv(name));
}

bool DefaultLaunchEnvironment::isProcessRunning(const QString& commandName) const {
    return ProcessTable::isRunningForCurrentUser(PathCodec::encode(commandName));
}

void DefaultLaunchEnvironment::start(const ProcessStart& process) {
    ProcessLauncher::start(process);
}

bool DefaultLaunchEnvironment::openUri(const QString& uri) {
    return GioLauncher::openUri(uri);
}

} // namespace quillmere
