#pragma once

#include "models/listing/FileItem.h"
#include "models/listing/KindDescription.h"
#include "models/paths/FilePath.h"

#include <QStringList>

namespace quillmere::test {

// Listing entries as the file-system service would report them, without a file system.
inline FileItem fileItem(const QString& folder, const QString& name, int64_t size = 0) {
    const QString path = FilePath::appending(folder, name);
    return {.id = path,
            .url = path,
            .name = name,
            .size = size,
            .modificationDate = std::nullopt,
            .kind = KindDescription::of(name, false)};
}

inline FileItem folderItem(const QString& folder, const QString& name) {
    const QString path = FilePath::appending(folder, name);
    return {.id = path,
            .url = path,
            .name = name,
            .isDirectory = true,
            .size = std::nullopt,
            .modificationDate = std::nullopt,
            .kind = KindDescription::of(name, true)};
}

inline QStringList namesOf(const QList<FileItem>& items) {
    QStringList names;
    for (const FileItem& item : items)
        names.append(item.name);
    return names;
}

} // namespace quillmere::test
