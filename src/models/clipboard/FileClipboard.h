#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillmere {

// Files put on the desktop clipboard: their absolute paths (as the program holds them,
// bytes that are not UTF-8 included) and whether they were cut rather than copied.
struct FilesOnClipboard {
    QStringList paths;
    bool cut = false;

    bool operator==(const FilesOnClipboard&) const = default;
};

// The clipboard formats other file managers read and write, by MIME type:
//  - "text/uri-list": file URIs, one per line ending in CR LF, every byte outside the
//    unreserved characters and "/" percent-encoded, so that names survive byte for byte;
//  - "x-special/gnome-copied-files": "copy" or "cut", then the URIs, one per line;
//  - "application/x-kde-cutselection": "1" for a cut (left out for a copy);
//  - "text/plain": the paths themselves, one per line, for programs that take text.
namespace FileClipboard {

QMap<QString, QByteArray> encode(const FilesOnClipboard& files);

// What another program (or this one) put there: the GNOME format when present (it says
// copy or cut), else the URI list (a cut when the KDE mark says "1"), else plain text
// whose every line is an absolute path or a file URI. URIs of other schemes or hosts,
// comments and blank lines are passed over; nothing usable gives none.
std::optional<FilesOnClipboard> decode(const QMap<QString, QByteArray>& formats);

// One path as a file URI, and back; none for what is no local file URI.
QByteArray uriOf(const QString& path);
std::optional<QString> pathOf(QByteArrayView uri);

inline constexpr char uriListType[] = "text/uri-list";
inline constexpr char gnomeType[] = "x-special/gnome-copied-files";
inline constexpr char kdeCutType[] = "application/x-kde-cutselection";
inline constexpr char plainTextType[] = "text/plain";

} // namespace FileClipboard

} // namespace quillmere
