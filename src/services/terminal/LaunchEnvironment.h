#pragma once

#include "platform/ProcessStart.h"

#include <QString>

#include <optional>

namespace quillmere {

// What the terminal service asks of the operating system and the desktop, in one
// place so tests can answer every question and record every start instead of
// running a terminal.
class LaunchEnvironment {
public:
    virtual ~LaunchEnvironment() = default;

    virtual bool hasDesktopEntry(const QString& desktopFileId) const = 0;
    // The program the entry's Exec line names (a path or a bare name); nothing without an entry.
    virtual std::optional<QString> desktopEntryProgram(const QString& desktopFileId) const = 0;
    virtual bool isExecutableFile(const QString& path) const = 0;
    virtual std::optional<QString> findInPath(const QString& name) const = 0;
    virtual QString homeFolder() const = 0;
    // An environment variable's value, empty when it is not set.
    virtual QString environmentVariable(const char* name) const = 0;
    // Whether a process with this command name runs for the current user.
    virtual bool isProcessRunning(const QString& commandName) const = 0;

    // Throws PlatformError when the program cannot be started.
    virtual void start(const ProcessStart& process) = 0;
    // False when the desktop has no application for the URI.
    virtual bool openUri(const QString& uri) = 0;
};

} // namespace quillmere
