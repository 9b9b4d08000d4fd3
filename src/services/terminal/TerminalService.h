#pragma once

#include "models/settings/TerminalApp.h"
#include "models/settings/TerminalOpenMode.h"

#include <QString>

namespace quillmere {

// Opens a folder in one of the known terminal applications. Both operations are
// synchronous and called on the user-interface thread.
class TerminalService {
public:
    virtual ~TerminalService() = default;

    // Whether the application is installed, so that the settings can offer it.
    virtual bool isInstalled(TerminalApp app) const = 0;

    // Starts the terminal in `folder`, in a new tab where the application supports it
    // and the mode asks for one. Throws TerminalServiceError::appNotFound when the
    // application cannot be found, and the platform's PlatformError when its program
    // cannot be started.
    virtual void open(const QString& folder, TerminalApp app, TerminalOpenMode mode) = 0;
};

} // namespace quillmere
