#include "services/filesystem/TrashEntry.h"

#include "models/paths/FilePath.h"
#include "platform/PathCodec.h"

namespace quillmere {
namespace {

QByteArray standardisedBytes(const QByteArray& path) {
    return PathCodec::encode(FilePath::standardised(PathCodec::decode(path)));
}

} // namespace

std::optional<TrashEntry> TrashEntry::of(const QString& trashedPath,
                                         const std::vector<TrashListing::Folder>& folders) {
    const QByteArray path = PathCodec::encode(FilePath::standardised(trashedPath));
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return std::nullopt;
    const QByteArray name = path.mid(slash + 1);
    const QByteArray filesFolder = path.left(slash);
    if (name.isEmpty() || !filesFolder.endsWith("/files"))
        return std::nullopt;
    const QByteArray folder = filesFolder.left(filesFolder.size() - 6);
    for (const TrashListing::Folder& known : folders)
        if (standardisedBytes(known.directory) == folder)
            return TrashEntry{folder, name};
    return std::nullopt;
}

QString TrashEntry::originalName(const QByteArray& recordContents, const QByteArray& fallback) {
    for (const QByteArray& line : recordContents.split('\n')) {
        if (!line.startsWith("Path="))
            continue;
        const QByteArray original = QByteArray::fromPercentEncoding(line.mid(5).trimmed());
        const QByteArray name = original.mid(original.lastIndexOf('/') + 1);
        if (!name.isEmpty())
            return PathCodec::decode(name);
    }
    return PathCodec::decode(fallback);
}

} // namespace quillmere
