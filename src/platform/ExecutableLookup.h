#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quillmere {

// Finds programs the way a shell's command lookup does, on the path's bytes.
namespace ExecutableLookup {

// A regular file (links followed) that this user may execute.
bool isExecutableFile(const QString& path);

// The first executable file named `name` in the folders of `searchPath` (a
// colon-separated list). Empty and relative entries are skipped: a program is
// never picked up from whatever the current folder happens to be. A name with
// a "/" is taken as a path and only checked.
std::optional<QString> findInPath(const QString& name, const QByteArray& searchPath);

// The same with $PATH, or the usual system folders when it is not set.
std::optional<QString> findInPath(const QString& name);

} // namespace ExecutableLookup

} // namespace quillmere
