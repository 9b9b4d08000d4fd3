#pragma once

#include <QString>

namespace quillmere {

// Starts applications through GIO, so the desktop's choices (mimeapps.list,
// desktop entries) decide which program runs.
class GioLauncher final {
public:
    // Launches the default application for the file's content type with the file's
    // URI, built from the path's bytes so names that are not UTF-8 reach it intact.
    // False when the file cannot be examined, no application is registered for its
    // type, or the launch fails.
    static bool openWithDefaultApplication(const QString& path);
};

} // namespace quillmere
