#pragma once

#include "platform/FileTime.h"

#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <optional>

namespace quillmere {

// One entry of a listed folder. `id` and `url` are the same absolute path, not
// resolved through symbolic links; selection and marks hold the `id`.
//
// isLinkToFolder is what the listing learnt of a symbolic link's target, so opening
// the entry needs no stat; it is no part of the entry's value (== and qHash skip it).
struct FileItem {
    QString id;
    QString url;
    QString name;
    bool isDirectory = false;
    bool isLinkToFolder = false; // sits in isDirectory's padding
    std::optional<int64_t> size; // always absent for folders
    std::optional<FileTime> modificationDate;
    QString kind;

    bool operator==(const FileItem& other) const;
};

size_t qHash(const FileItem& item, size_t seed = 0) noexcept;

} // namespace quillmere
