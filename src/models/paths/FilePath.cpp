#include "models/paths/FilePath.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace quillmere {

QString FilePath::standardised(QStringView path) {
    if (path.isEmpty())
        return {};
    const bool absolute = path.startsWith(u'/');
    // The common case, an already clean path, is returned without splitting.
    const bool clean = absolute && !path.contains(u"//") && !path.contains(u"/./") &&
                       !path.contains(u"/../") && !path.endsWith(u"/.") && !path.endsWith(u"/..") &&
                       (path.size() == 1 || !path.endsWith(u'/'));
    if (clean)
        return path.toString();

    QList<QStringView> parts;
    for (QStringView part : path.split(u'/')) {
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty() && parts.last() != u"..")
                parts.removeLast();
            else if (!absolute)
                parts.append(part);
            continue;
        }
        parts.append(part);
    }
    QString out;
    for (QStringView part : parts) {
        if (absolute || !out.isEmpty())
            out += u'/';
        out += part;
    }
    if (out.isEmpty())
        return absolute ? u"/"_s : u"."_s;
    return out;
}

QString FilePath::lastComponent(QStringView path) {
    QStringView trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    if (trimmed == u"/")
        return u"/"_s;
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1).toString();
}

QString FilePath::parent(QStringView path) {
    const QString clean = standardised(path);
    const qsizetype slash = clean.lastIndexOf(u'/');
    if (slash <= 0)
        return u"/"_s;
    return clean.left(slash);
}

QString FilePath::appending(QStringView folder, QStringView name) {
    if (folder.endsWith(u'/'))
        return folder.toString() + name;
    return folder.toString() + u'/' + name;
}

bool FilePath::isSameOrInside(QStringView path, QStringView folder) {
    if (folder == u"/")
        return path.startsWith(u'/');
    return path == folder ||
           (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == u'/');
}

} // namespace quillmere
