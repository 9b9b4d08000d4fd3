#pragma once

#include <QString>
#include <QStringList>

namespace quillmere {

// One program to start: its path, its arguments (each passed as one argument, no
// shell involved) and the folder it starts in.
struct ProcessStart {
    QString program;
    QStringList arguments;
    QString workingDirectory;

    bool operator==(const ProcessStart&) const = default;
};

} // namespace quillmere
