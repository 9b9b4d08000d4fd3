#include "models/clipboard/FileClipboard.h"

#include "models/paths/PercentEncoding.h"
#include "platform/PathCodec.h"

namespace quillmere {
namespace {

// The lines of a clipboard text, whichever line ends it uses, without blank ones.
QList<QByteArrayView> linesOf(const QByteArray& text) {
    QList<QByteArrayView> lines;
    const QByteArrayView all(text);
    for (qsizetype start = 0; start <= all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines;
}

std::optional<QStringList> pathsOfUris(const QList<QByteArrayView>& lines) {
    QStringList paths;
    for (const QByteArrayView line : lines) {
        if (line.startsWith('#'))
            continue;
        if (const std::optional<QString> path = FileClipboard::pathOf(line.trimmed()))
            paths.append(*path);
    }
    return paths.isEmpty() ? std::nullopt : std::optional(paths);
}

QByteArray uriOfBytes(QByteArrayView bytes) {
    return QByteArray("file://") + PercentEncoding::encodePath(bytes);
}

} // namespace

QByteArray FileClipboard::uriOf(const QString& path) {
    return uriOfBytes(PathCodec::encode(path));
}

std::optional<QString> FileClipboard::pathOf(QByteArrayView uri) {
    static constexpr QByteArrayView scheme("file://");
    if (uri.size() < scheme.size() ||
        QByteArrayView(uri.first(scheme.size())).compare(scheme, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    QByteArrayView rest = uri.sliced(scheme.size());
    // file:///path, or file://localhost/path; another host is another machine's file.
    const qsizetype slash = rest.indexOf('/');
    if (slash < 0)
        return std::nullopt;
    const QByteArrayView host = rest.first(slash);
    if (!host.isEmpty() && host.compare(QByteArrayView("localhost"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    rest = rest.sliced(slash);
    // A query or fragment names no part of the file.
    for (const char mark : {'?', '#'})
        if (const qsizetype at = rest.indexOf(mark); at >= 0)
            rest = rest.first(at);
    const std::optional<QByteArray> bytes = PercentEncoding::decode(rest);
    if (!bytes)
        return std::nullopt;
    // A NUL cannot be in a path; one smuggled in as %00 makes the URI unusable.
    if (bytes->contains('\0'))
        return std::nullopt;
    return PathCodec::decode(*bytes);
}

QMap<QString, QByteArray> FileClipboard::encode(const FilesOnClipboard& files) {
    QByteArray uriList;
    QByteArray gnome(files.cut ? "cut" : "copy");
    QByteArray plain;
    for (const QString& path : files.paths) {
        const QByteArray bytes = PathCodec::encode(path);
        const QByteArray uri = uriOfBytes(bytes);
        uriList.append(uri).append("\r\n");
        gnome.append('\n').append(uri);
        if (!plain.isEmpty())
            plain.append('\n');
        plain.append(bytes);
    }
    QMap<QString, QByteArray> formats;
    formats.insert(QString::fromLatin1(uriListType), uriList);
    formats.insert(QString::fromLatin1(gnomeType), gnome);
    formats.insert(QString::fromLatin1(plainTextType), plain);
    if (files.cut)
        formats.insert(QString::fromLatin1(kdeCutType), QByteArray("1"));
    return formats;
}

std::optional<FilesOnClipboard> FileClipboard::decode(const QMap<QString, QByteArray>& formats) {
    if (const auto gnome = formats.constFind(QString::fromLatin1(gnomeType)); gnome != formats.constEnd()) {
        QList<QByteArrayView> lines = linesOf(*gnome);
        if (!lines.isEmpty()) {
            const QByteArrayView action = lines.takeFirst().trimmed();
            const bool cut = action == QByteArrayView("cut");
            if (cut || action == QByteArrayView("copy"))
                if (std::optional<QStringList> paths = pathsOfUris(lines))
                    return FilesOnClipboard{std::move(*paths), cut};
        }
    }
    if (const auto list = formats.constFind(QString::fromLatin1(uriListType)); list != formats.constEnd()) {
        if (std::optional<QStringList> paths = pathsOfUris(linesOf(*list))) {
            const bool cut = formats.value(QString::fromLatin1(kdeCutType)).trimmed() == "1";
            return FilesOnClipboard{std::move(*paths), cut};
        }
    }
    if (const auto text = formats.constFind(QString::fromLatin1(plainTextType)); text != formats.constEnd()) {
        QStringList paths;
        for (const QByteArrayView line : linesOf(*text)) {
            if (line.startsWith('/')) {
                paths.append(PathCodec::decode(line));
            } else if (const std::optional<QString> path = pathOf(line.trimmed())) {
                paths.append(*path);
            } else {
                return std::nullopt; // text that is not only paths is just text
            }
        }
        if (!paths.isEmpty())
            return FilesOnClipboard{std::move(paths), false};
    }
    return std::nullopt;
}

} // namespace quillmere
