#pragma once

#include "platform/ProcessStart.h"

#include <QString>

#include <optional>

namespace quillmere {

class LaunchEnvironment;

// The terminal the user or the desktop prefers: $TERMINAL, then the x-terminal-emulator
// alternative, then the first installed of the common terminals. Each known terminal
// is told the folder with its own flag as well as through its working directory,
// because terminals that hand new windows to a running server ignore the latter.
class PreferredTerminal final {
public:
    explicit PreferredTerminal(const LaunchEnvironment& environment);

    std::optional<QString> program() const;
    // A new window of the terminal in the folder; nothing when there is no terminal.
    std::optional<ProcessStart> startIn(const QString& folder) const;

    static QStringList folderArguments(const QString& program, const QString& folder);

private:
    const LaunchEnvironment& m_environment;
};

} // namespace quillmere
