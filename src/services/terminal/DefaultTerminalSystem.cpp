#include "services/terminal/DefaultTerminalSystem.h"

#include "platform/ExecutableLookup.h"
#include "platform/GioLauncher.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProcessTable.h"

namespace quillmere {

bool DefaultTerminalSystem::hasDesktopEntry(const QString& desktopFileId) const {
    return GioLauncher::hasDesktopEntry(desktopFileId);
}

std::optional<QString> DefaultTerminalSystem::desktopEntryProgram(const QString& desktopFileId) const {
    return GioLauncher::desktopEntryExecutable(desktopFileId);
}

bool DefaultTerminalSystem::isExecutableFile(const QString& path) const {
    return ExecutableLookup::isExecutableFile(path);
}

std::optional<QString> DefaultTerminalSystem::findInPath(const QString& name) const {
    return ExecutableLookup::findInPath(name);
}

QString DefaultTerminalSystem::homeFolder() const {
    return HomeFolder::path();
}

QString DefaultTerminalSystem::environmentVariable(const char* name) const {
    return PathCodec::decode(qgetenv(name));
}

bool DefaultTerminalSystem::isProcessRunning(const QString& commandName) const {
    return ProcessTable::isRunningForCurrentUser(PathCodec::encode(commandName));
}

void DefaultTerminalSystem::start(const ProcessStart& process) {
    ProcessLauncher::start(process);
}

bool DefaultTerminalSystem::openUri(const QString& uri) {
    return GioLauncher::openUri(uri);
}

} // namespace quillmere
