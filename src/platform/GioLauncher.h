#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// Starts applications through GIO, so the desktop's choices (mimeapps.list,
// desktop entries) decide which program runs.
namespace GioLauncher {

// How an attempt to open a file ended.
struct Launch {
    enum class Result { launched, noApplication, failed };
    Result result = Result::failed;
    QString reason; // GLib's words for a failure, when it gave any

    bool launched() const { return result == Result::launched; }
};

// Launches the default application for the file's content type with the file's
// URI, built from the path's bytes so names that are not UTF-8 reach it intact.
// noApplication when nothing is registered for the file's type; failed when the
// file cannot be examined or the launch fails.
Launch openWithDefaultApplication(const QString& path);

// True when the desktop knows an application by this desktop file id (for
// example "org.wezfurlong.wezterm.desktop"); hidden entries and entries whose
// TryExec program is missing do not count.
bool hasDesktopEntry(const QString& desktopFileId);

// The program such an entry starts, as its Exec line names it: a path, or a name
// to look for on the PATH. Nothing when hasDesktopEntry is false.
std::optional<QString> desktopEntryExecutable(const QString& desktopFileId);

struct Application {
    QString id; // desktop file id
    QString name;
};

// The applications the desktop offers for the file's content type: the default one
// first, then every other shown one, by name in plain text order. Empty when the file
// cannot be examined or nothing takes its type. Reads desktop entries: call it off
// the user-interface thread.
QList<Application> applicationsFor(const QString& path);
// Opens the file with the application of that desktop file id; noApplication when
// the desktop no longer knows it, failed when the launch fails.
Launch openWith(const QString& path, const QString& applicationId);

// Hands a URI to the application the desktop registers for its scheme. False when
// no application takes the scheme or the launch fails.
bool openUri(const QString& uri);

} // namespace GioLauncher

} // namespace quillmere
