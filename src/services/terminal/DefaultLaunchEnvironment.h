#pragma once

#include "services/terminal/LaunchEnvironment.h"

namespace quillmere {

// The real answers: GIO for desktop entries and URIs, the file system and $PATH for
// programs, /proc for running processes, posix_spawn for starting them.
class DefaultLaunchEnvironment final : public LaunchEnvironment {
public:
    bool hasDesktopEntry(const QString& desktopFileId) const override;
    std::optional<QString> desktopEntryProgram(const QString& desktopFileId) const override;
    bool isExecutableFile(const QString& path) const override;
    std::optional<QString> findInPath(const QString& name) const override;
    QString homeFolder() const override;
    QString environmentVariable(const char* name) const override;
    bool isProcessRunning(const QString& commandName) const override;
    void start(const ProcessStart& process) override;
    bool openUri(const QString& uri) override;
};

} // namespace quillmere
