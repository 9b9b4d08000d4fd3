#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillmere {

// What the program was asked on its command line: `quillmere [OPTION]... [FOLDER|URI]...`.
// Arguments are bytes, as the kernel hands them over; folders come back as the program's
// lossless path texts, absolute and standardised.
struct CommandLine {
    QStringList folders;
    bool showHelp = false;
    bool showVersion = false;
    // One message per argument that could not be understood, naming it.
    QStringList errors;

    // arguments: everything after the program's name. currentFolder: the path text of
    // the working folder that relative paths are taken against; empty when it is not
    // known, which makes relative paths an error. Touches nothing on disk.
    static CommandLine parse(const QList<QByteArray>& arguments, const QString& currentFolder);

    static QString usage();
    static QString versionText();
};

} // namespace quillmere
